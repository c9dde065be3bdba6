#include "storage/stream/QzInterface.h"

#include "platform/PosixFile.h"
#include "storage/stream/QzFileReader.h"
#include "storage/stream/QzFileWriter.h"
#include "storage/stream/QzHandle.h"
#include "storage/stream/QzMemoryStreams.h"

#include <memory>
#include <new>

namespace kv {

namespace {

// Clears the error word; false (with error 7) when there is no handle.
bool Enter(QzHandle* handle) {
    QzSetThreadError(QzError::None);
    if (handle && handle->top()) return true;
    QzSetThreadError(QzError::NullHandle);
    return false;
}

template <typename Stream, typename... Args> QzHandle* OpenHandle(Args&&... args) {
    auto handle = std::unique_ptr<QzHandle>(new (std::nothrow) QzHandle);
    if (!handle) {
        QzSetThreadError(QzError::OutOfMemory);
        return nullptr;
    }
    if (!new (std::nothrow) Stream(*handle, std::forward<Args>(args)...)) {
        QzSetThreadError(QzError::OutOfMemory);
        return nullptr;
    }
    return handle.release();
}

} // namespace

QzError QzStartup() {
    QzSetThreadError(QzError::None);
    return QzError::None;
}

void QzShutdown() {
    QzSetThreadError(QzError::None);
}

QzHandle* QzOpenForReading(const std::string& path) {
    QzSetThreadError(QzError::None);
    auto file = std::unique_ptr<PosixFile>(new (std::nothrow) PosixFile);
    if (!file) {
        QzSetThreadError(QzError::OutOfMemory);
        return nullptr;
    }
    switch (file->openForReading(path)) {
    case PosixFile::OpenResult::Ok:
        return OpenHandle<QzFileReader>(std::move(file));
    case PosixFile::OpenResult::NotFound:
        QzSetThreadError(QzError::FileNotFound);
        return nullptr;
    case PosixFile::OpenResult::Failed:
        break;
    }
    QzSetThreadError(QzError::OpenFailed);
    return nullptr;
}

QzHandle* QzOpenForWriting(const std::string& path) {
    QzSetThreadError(QzError::None);
    auto file = std::unique_ptr<PosixFile>(new (std::nothrow) PosixFile);
    if (!file) {
        QzSetThreadError(QzError::OutOfMemory);
        return nullptr;
    }
    if (file->openForWriting(path) != PosixFile::OpenResult::Ok) {
        QzSetThreadError(QzError::OpenFailed);
        return nullptr;
    }
    return OpenHandle<QzFileWriter>(std::move(file));
}

QzHandle* QzOpenMemoryForReading(const void* data, std::size_t size) {
    QzSetThreadError(QzError::None);
    return OpenHandle<QzMemoryReader>(data, size);
}

QzHandle* QzOpenMemoryForWriting(std::vector<std::uint8_t>& sink) {
    QzSetThreadError(QzError::None);
    return OpenHandle<QzMemoryWriter>(sink);
}

QzError QzBeginCodec(QzHandle* handle, QzMethod method) {
    if (Enter(handle)) handle->top()->beginCodec(method);
    return QzThreadError();
}

QzError QzEndCodec(QzHandle* handle) {
    if (!Enter(handle)) return QzThreadError();
    QzStream* top = handle->top();
    top->endCodec();
    if (top->isCodec()) handle->destroyTop();
    return QzThreadError();
}

QzError QzRead(QzHandle* handle, void* buffer, std::size_t count, std::size_t* transferred) {
    if (transferred) *transferred = 0;
    if (!Enter(handle)) return QzThreadError();
    QzStream* top = handle->top();
    if (count > 0) {
        const std::size_t done = top->read(buffer, count);
        if (transferred) *transferred = done;
    }
    return top->error();
}

QzError QzWrite(QzHandle* handle, const void* buffer, std::size_t count, std::size_t* transferred) {
    if (transferred) *transferred = 0;
    if (!Enter(handle)) return QzThreadError();
    QzStream* top = handle->top();
    if (count > 0) {
        const std::size_t done = top->write(buffer, count);
        if (transferred) *transferred = done;
    }
    return top->error();
}

QzError QzClose(QzHandle* handle) {
    if (!Enter(handle)) {
        delete handle;
        return QzThreadError();
    }
    handle->top()->close();
    const QzError result = QzThreadError();
    delete handle;
    return result;
}

bool QzAtEnd(QzHandle* handle) {
    return Enter(handle) && handle->top()->atEnd();
}

std::int64_t QzSize(QzHandle* handle) {
    return Enter(handle) ? handle->top()->size() : 0;
}

std::int64_t QzTell(QzHandle* handle) {
    return Enter(handle) ? handle->top()->tell() : 0;
}

QzError QzSeek(QzHandle* handle, std::int64_t position) {
    if (!Enter(handle)) return QzThreadError();
    QzStream* top = handle->top();
    top->seek(position);
    return top->error();
}

QzError QzLastError() {
    return QzThreadError();
}

} // namespace kv
