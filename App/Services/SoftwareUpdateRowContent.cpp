#include "App/Services/SoftwareUpdateRowContent.h"

#include "App/Services/UpdateChecker.h"

namespace ondravell {

SoftwareUpdateRowContent SoftwareUpdateRowContent::of(const UpdateChecker& checker) {
    SoftwareUpdateRowContent content;
    content.versionLine = "当前版本 " + UpdateChecker::currentVersion();
    // A newer version outranks the outcome of the last manual check.
    if (checker.available()) {
        content.statusLine = "有新版本 " + checker.available()->version + " 可用";
        content.statusTone = Tone::orange;
        content.showsDownloadButton = true;
    } else if (checker.lastManualResult()) {
        content.statusLine = *checker.lastManualResult();
    }
    content.isChecking = checker.isChecking();
    return content;
}

} // namespace ondravell
