// The fake platform every fuzz target runs on: no sound, scripted dialogs, a fixed clock.
#pragma once

#include "platform/app_services.h"
#include "platform/clock.h"
#include "platform/fakes.h"

struct FuzzServices {
    tobrisk::FakeAlerts alerts;
    tobrisk::FakeDialogs dialogs;
    tobrisk::FakeClock clock{tobrisk::encodeDateTime(2026, 12, 8, 10, 0, 0)};
    tobrisk::AppServices services{alerts, dialogs, clock, {}, "/tmp/", "/tmp/"};

    FuzzServices() = default;
    FuzzServices(const FuzzServices&) = delete;  // services refers to the members
    FuzzServices& operator=(const FuzzServices&) = delete;
};
