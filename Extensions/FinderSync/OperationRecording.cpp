#include "Extensions/FinderSync/OperationRecording.h"

#include "core/FileOps/OperationHistory.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "core/Support/Uuid.h"

#include <chrono>

namespace ondravell {

FileOperation OperationRecording::make(FileOperation::Kind kind, std::vector<FileOperationItem> items) {
    FileOperation operation;
    operation.id = makeUUIDString();
    operation.kind = kind;
    operation.timestamp = std::chrono::system_clock::now();
    operation.items = std::move(items);
    return operation;
}

void OperationRecording::record(FileOperation::Kind kind, std::vector<FileOperationItem> items) {
    OperationHistory::forAppGroup(OndravellIPC::appGroupID).append(make(kind, std::move(items)));
}

} // namespace ondravell
