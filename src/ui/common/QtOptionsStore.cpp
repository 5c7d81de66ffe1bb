#include "ui/common/QtOptionsStore.h"

#include <QSettings>

#include <memory>

namespace tessivar::ui {

namespace {

const QString kOrganisation = QStringLiteral("Brennow");
const QString kApplication = QStringLiteral("Tessivar (TI)");

QSettings::Scope PlatformScope() {
#ifdef Q_OS_WIN
    // The option is per machine: HKEY_LOCAL_MACHINE.
    return QSettings::SystemScope;
#else
    return QSettings::UserScope;
#endif
}

} // namespace

QtOptionsStore::QtOptionsStore(const QString& path)
    : path_(path) {}

// Opens the settings, lets `use` read or write them (it returns the failure's reason,
// empty when it succeeded) and closes them again.
template <typename Use> Status QtOptionsStore::WithSettings(Use use) {
    const auto settings =
        path_.isEmpty() ? std::make_unique<QSettings>(QSettings::NativeFormat, PlatformScope(),
                                                      kOrganisation, kApplication)
                        : std::make_unique<QSettings>(path_, QSettings::IniFormat);
    if (settings->status() != QSettings::NoError)
        return Fail("the settings cannot be opened");
    if (const std::string problem = use(*settings); !problem.empty())
        return Fail(problem);
    settings->sync();
    if (settings->status() != QSettings::NoError)
        return Fail("the settings cannot be written");
    return Ok();
}

Result<std::optional<std::int32_t>> QtOptionsStore::ReadInteger(const std::string& name) {
    std::optional<std::int32_t> value;
    const Status read = WithSettings([&](QSettings& settings) -> std::string {
        const QString key = QString::fromStdString(name);
        if (!settings.contains(key))
            return {};
        bool isNumber = false;
        const int number = settings.value(key).toInt(&isNumber);
        if (!isNumber)
            return name + " is not a number"; // not ours to interpret
        value = number;
        return {};
    });
    if (!read)
        return Fail(read.error());
    return value;
}

Status QtOptionsStore::WriteInteger(const std::string& name, std::int32_t value) {
    return WithSettings([&](QSettings& settings) -> std::string {
        if (!settings.isWritable())
            return "the settings are read-only";
        settings.setValue(QString::fromStdString(name), value);
        return {};
    });
}

} // namespace tessivar::ui
