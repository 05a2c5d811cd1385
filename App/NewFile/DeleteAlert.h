#pragma once

#include "App/NewFile/DeleteConfirmer.h"

namespace ondravell {

// The critical alert that asks before a permanent delete: "彻底删除" answers Return, "取消" Escape.
struct DeleteAlert {
    DeleteAlert() = delete;
    // Runs modally in front of every other window; true when the user chose "彻底删除".
    static bool run(const DeleteConfirmer::Alert& alert);
};

} // namespace ondravell
