#include "exprwin/record_files.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/file_io.h"

namespace tobrisk {

namespace {

constexpr const char* kBackupFileName = "Tbdata.bak";
constexpr const char* kCaption = "Tobrisk";
constexpr const char* kFilter = "Tobrisk Data (*.dat)|*.dat|All Files (*.*)|*.*";

}  // namespace

RecordFiles::RecordFiles(DataRecord& record, AppServices& services)
    : record_(record), services_(services) {}

std::string RecordFiles::dataFilePath() const {
    return services_.dataFolder + kDataFileName;
}

bool RecordFiles::writeRecord(const std::string& path, std::string& error) {
    return writeFileAtomically(path, record_.bytes().data(), record_.bytes().size(), error);
}

bool RecordFiles::dataFileHoldsRecord() const {
    // A save of unchanged bytes would only cost a flush to the disk (often the longest part
    // of a short command-line run).
    std::vector<uint8_t> onDisk;
    std::uintmax_t size = 0;
    std::string error;
    return readFileStart(dataFilePath(), layout::kRecordSize + 1, onDisk, size, error) ==
               ReadStatus::Ok &&
           size == layout::kRecordSize && onDisk.size() == layout::kRecordSize &&
           std::equal(onDisk.begin(), onDisk.end(), record_.bytes().begin());
}

LoadOutcome RecordFiles::loadAtStart(const NewRecordContext& ctx) {
    LoadOutcome outcome;
    const std::string path = dataFilePath();
    std::vector<uint8_t> buf;
    std::uintmax_t size = 0;
    std::string error;
    ReadStatus status = readFileStart(path, layout::kRecordSize, buf, size, error);
    if (status == ReadStatus::Ok && buf.size() == layout::kRecordSize) {
        std::copy(buf.begin(), buf.end(), record_.bytes().begin());
        record_.sanitize(services_.separators);
        return outcome;
    }

    record_.fillNew(ctx);
    outcome.created = true;
    if (!dataFileWritable_) return outcome;
    if (status != ReadStatus::Missing) {
        // Never overwrite what may be the user's only copy of their data.
        const std::string backup = services_.dataFolder + kBackupFileName;
        std::string renameError;
        if (renameFile(path, backup, renameError)) {
            outcome.keptBackup = true;
            services_.dialogs.message(kCaption,
                                      "The data file " + path +
                                          " could not be read. It was kept as " + backup +
                                          " and a new data file was created.",
                                      MessageKind::Warning);
        } else {
            services_.dialogs.message(
                kCaption,
                "The data file " + path + " could not be read and could not be kept (" +
                    renameError + "). Your data file is left as it is; this session's state " +
                    "will replace it at the end.",
                MessageKind::Warning);
        }
    }
    if (!writeRecord(path, error)) {
        outcome.error = error;
        services_.dialogs.message(kCaption, error, MessageKind::Error);
    }
    return outcome;
}

bool RecordFiles::saveAtClose(const std::function<void()>& gather) {
    if (gather) gather();
    if (!dataFileWritable_) return true;
    if (dataFileHoldsRecord()) return true;
    std::string error;
    if (writeRecord(dataFilePath(), error)) return true;
    return services_.dialogs.askOkCancel(
        kCaption, error + "\rThe data could not be saved. Quit without saving?");
}

FileDialogSpec RecordFiles::dialogSpec(const char* title) const {
    // The data folder is the program folder whenever that one can be written.
    return FileDialogSpec{title, "dat", kFilter, services_.dataFolder};
}

bool RecordFiles::saveAs(const std::function<void()>& gather) {
    auto chosen =
        services_.dialogs.saveFile(dialogSpec("Save a particular configuration of Tobrisk"));
    if (!chosen || chosen->empty()) return false;
    const std::string& name = *chosen;
    if (fileExists(name) &&
        !services_.dialogs.askOkCancel("File Saving",
                                       "File " + name + "\r already exists. Want substitute?")) {
        return false;
    }
    if (gather) gather();
    std::string error;
    if (!writeRecord(name, error)) {
        services_.dialogs.message(kCaption, error, MessageKind::Error);
        return false;
    }
    return true;
}

bool RecordFiles::open(const std::function<void()>& afterLoad) {
    auto chosen =
        services_.dialogs.openFile(dialogSpec("Open a particular configuration of Tobrisk"));
    if (!chosen || chosen->empty()) return false;
    const std::string& name = *chosen;
    auto refuse = [&](const std::string& text) {
        services_.alerts.play(AlertKind::Question);
        services_.dialogs.message(kCaption, text, MessageKind::Warning);
        return false;
    };

    std::vector<uint8_t> buf;
    std::uintmax_t size = 0;
    std::string error;
    // One record plus one byte tells whether a second complete record follows.
    ReadStatus status = readFileStart(name, layout::kRecordSize, buf, size, error);
    if (status != ReadStatus::Ok) return refuse("Impossible to open the file  " + name);
    if (buf.size() < layout::kRecordSize) return refuse("Impossible to read the file  " + name);
    DataRecord loaded;
    std::copy(buf.begin(), buf.end(), loaded.bytes().begin());
    if (size >= 2 * layout::kRecordSize || !loaded.hasMagic())
        return refuse("Unknown file format: " + name);

    loaded.sanitize(services_.separators);
    record_.bytes() = loaded.bytes();
    moveEvents(record_, services_.clock.now());
    if (afterLoad) afterLoad();
    services_.alerts.play(AlertKind::Default);
    return true;
}

void RecordFiles::moveEvents(DataRecord& record, double now) {
    const double today = std::floor(now);
    const int n = record.count();
    for (int i = 1; i <= n; ++i) {
        if (record.kind(i) != EntryKind::Event) continue;
        double t = record.time(i);
        if (!std::isfinite(t)) t = 0;
        double timeOfDay = t - std::floor(t);
        double moved = today + timeOfDay;
        if (moved < now) moved += 1;
        record.setTime(i, moved);
    }
}

}  // namespace tobrisk
