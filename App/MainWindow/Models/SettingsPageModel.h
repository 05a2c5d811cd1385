#pragma once

#include "core/SharedConfig/OndravellSettings.h"
#include "core/SharedConfig/SettingsService.h"

#include <functional>

namespace ondravell {

// The state behind one settings page, free of any toolkit. The page calls `load()` each time it comes
// on screen; every user change ends in `persist()`, which reads the settings file afresh, writes only
// the fields this page owns and saves the record through the service (one atomic write). Nothing is
// written by `load()`, before the first load, or by anything the page's view does while it redraws
// from a change notification: a settings file that could not be decoded is only replaced by a user's
// edit. A save that does not reach the file is reported, and the page shows what the file still holds.
class SettingsPageModel {
public:
    explicit SettingsPageModel(SettingsService service = SettingsService());
    virtual ~SettingsPageModel() = default;
    SettingsPageModel(const SettingsPageModel&) = delete;
    SettingsPageModel& operator=(const SettingsPageModel&) = delete;

    // Replaces the page's state with what the settings file holds now.
    void load();
    bool isLoaded() const { return loaded_; }

    // Called after every change of the page's state (load and edits), so the view redraws.
    void setObserver(std::function<void()> observer) { observer_ = std::move(observer); }
    // Told after every save whether it reached the file, before the change notification.
    void setSaveObserver(std::function<void(bool saved)> observer) { saveObserver_ = std::move(observer); }

    const SettingsService& service() const { return service_; }

protected:
    // Takes the page's fields from a freshly loaded record.
    virtual void read(const OndravellSettings& settings) = 0;
    // Puts the page's fields into a freshly loaded record; every other field stays as read.
    virtual void write(OndravellSettings& settings) const = 0;

    // Read-modify-write of the page's own fields, then a change notification; true when the save reached
    // the file. When the write fails the page's fields are read back from the file, so the page shows the
    // stored values, not the edit. `whenSaved` runs only after a save that held, before the notification:
    // an add row empties what was typed there, and keeps it when nothing was saved.
    bool persist(const std::function<void()>& whenSaved = {});
    // Tells the save observer; for a page's writes beside the settings record.
    void reportSave(bool saved) const;
    // A change of view state that is not saved (an alert coming up, say).
    void changed();

private:
    SettingsService service_;
    std::function<void()> observer_;
    std::function<void(bool)> saveObserver_;
    bool loaded_ = false;
    bool notifying_ = false;
};

} // namespace ondravell
