#pragma once

class QObject;

namespace ondravell {

// Whether the event loop is still in the turn in which its owner was built. A page that reads the
// settings file while it is built lays itself out once with what it read; its first showing, which the
// settings window starts in that same turn, need not read the file again.
class BuildTurn {
public:
    explicit BuildTurn(QObject* owner);

    bool current() const { return current_; }

private:
    bool current_ = true;
};

} // namespace ondravell
