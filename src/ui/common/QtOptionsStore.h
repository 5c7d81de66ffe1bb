#pragma once

#include "core/workspace/OptionsStore.h"

#include <QString>

class QSettings;

namespace tessivar::ui {

// The editor's option store on top of QSettings, organisation "Brennow", application
// "Tessivar (TI)". On Windows that is the machine-wide registry key
// \Software\Brennow\Tessivar (TI); elsewhere Qt's per-user store holds the same key and
// value name. The settings are opened for each read or write and closed again.
class QtOptionsStore : public OptionsStore {
public:
    // The platform's settings store.
    QtOptionsStore() = default;
    // An INI file at `path` instead, for tests and portable setups.
    explicit QtOptionsStore(const QString& path);

    Result<std::optional<std::int32_t>> ReadInteger(const std::string& name) override;
    Status WriteInteger(const std::string& name, std::int32_t value) override;

private:
    template <typename Use> Status WithSettings(Use use);

    QString path_; // empty: the platform's store
};

} // namespace tessivar::ui
