#include "App/MainWindow/Widgets/BuildTurn.h"

#include <QTimer>

namespace ondravell {

BuildTurn::BuildTurn(QObject* owner) {
    // The owner's timer dies with it, and so does this member.
    QTimer::singleShot(0, owner, [this] { current_ = false; });
}

} // namespace ondravell
