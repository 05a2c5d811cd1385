#pragma once

namespace ondravell {

// How far the undo of a recorded operation got.
enum class UndoResult {
    // Every item it applies to is in its undone state.
    undone,
    // Some item was blocked or failed (and always a delete, which cannot be undone).
    incomplete,
    // Some item could not go to the trash because its file system has none; it stays where it is.
    trashUnsupported,
};

} // namespace ondravell
