#include "ui/app/QtOptionsStore.h"

#include <QSettings>

#include <memory>

namespace tessivar::ui {

namespace {

const QString kOrganisation = QStringLiteral("Brennow");
const QString kApplication = QStringLiteral("Tessivar (TI)");

QSettings::Scope platformScope() {
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

template <typename Use> bool QtOptionsStore::withSettings(Use use) {
    const auto settings =
        path_.isEmpty() ? std::make_unique<QSettings>(QSettings::NativeFormat, platformScope(),
                                                      kOrganisation, kApplication)
                        : std::make_unique<QSettings>(path_, QSettings::IniFormat);
    if (settings->status() != QSettings::NoError)
        return false;
    if (!use(*settings))
        return false;
    settings->sync();
    return settings->status() == QSettings::NoError;
}

bool QtOptionsStore::readInteger(const std::string& name, std::optional<std::int32_t>& value) {
    value.reset();
    return withSettings([&](QSettings& settings) {
        const QString key = QString::fromStdString(name);
        if (!settings.contains(key))
            return true;
        bool isNumber = false;
        const int read = settings.value(key).toInt(&isNumber);
        if (!isNumber)
            return false; // a value of another type is not ours to interpret
        value = read;
        return true;
    });
}

bool QtOptionsStore::writeInteger(const std::string& name, std::int32_t value) {
    return withSettings([&](QSettings& settings) {
        if (!settings.isWritable())
            return false;
        settings.setValue(QString::fromStdString(name), value);
        return true;
    });
}

} // namespace tessivar::ui
