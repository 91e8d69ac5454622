// The driver of this process.
#include "platform/user32/driver.h"

#include "platform/user32/no_user_driver.h"

namespace ui {

namespace {

std::unique_ptr<Driver> &Current() {
    static std::unique_ptr<Driver> driver;
    return driver;
}

DriverFactory terminalFactory = nullptr;

} // namespace

void SetDriver(std::unique_ptr<Driver> driver) {
    Current() = std::move(driver);
}

Driver &CurrentDriver() {
    // Until one is chosen nobody can be asked.
    if (!Current())
        Current() = std::make_unique<NoUserDriver>();
    return *Current();
}

void SetTerminalDriverFactory(DriverFactory factory) {
    terminalFactory = factory;
}
DriverFactory TerminalDriverFactory() {
    return terminalFactory;
}

} // namespace ui
