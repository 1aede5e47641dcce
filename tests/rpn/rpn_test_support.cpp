#include "tests/rpn/rpn_test_support.h"

#include <sstream>
#include <stdexcept>

#include "rpn/rpn_key_names.h"

namespace tobrisk::test {

std::string MachineFixture::press(const std::string& keys) {
    std::istringstream words(keys);
    std::string w;
    while (words >> w)
        if (!pressNamedKey(*machine, w)) throw std::runtime_error("unknown key " + w);
    return machine->display();
}

}  // namespace tobrisk::test
