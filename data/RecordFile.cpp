#include "data/RecordFile.h"

#include <limits>

#include "platform/sys/InOutError.h"

namespace korvane {

TRecordFile::TRecordFile(const std::string& FileName, std::size_t RecordSize)
    : RecordSize_(RecordSize), FileName_(FileName) {
    const auto outcome = File_.OpenReadWrite(FileName);
    // Only a missing file is created: creating an existing one anew would empty it.
    if (outcome == TBinaryFile::TOpenOutcome::Missing) {
        File_.Create(FileName);
    }
    if (!File_.IsOpen()) {
        Status_ = stNotOpen;
        return;
    }
    Opened_ = true;
    LastIndex_ = RecordCount() - 1;
}

bool TRecordFile::ReadBytesAtCursor(unsigned char* Bytes) {
    if (ReadBlock(Cursor_, 1, Bytes) == 1) {
        return true;
    }
    Status_ |= stIOError;
    return false;
}

bool TRecordFile::WriteBytesAtCursor(const unsigned char* Bytes) {
    if (WriteBlock(Cursor_, 1, Bytes)) {
        return true;
    }
    Status_ |= stIOError;
    return false;
}

std::int32_t TRecordFile::ReadBlock(std::int32_t First, std::int32_t Count, unsigned char* Bytes) {
    if (First < 0 || Count <= 0) {
        return 0;
    }
    const auto size = static_cast<std::int64_t>(RecordSize_);
    const std::ptrdiff_t got =
        File_.ReadAt(First * size, Bytes, static_cast<std::size_t>(Count) * RecordSize_);
    if (got <= 0) {
        return 0;
    }
    return static_cast<std::int32_t>(static_cast<std::size_t>(got) / RecordSize_);
}

bool TRecordFile::WriteBlock(std::int32_t First, std::int32_t Count, const unsigned char* Bytes) {
    if (First < 0 || Count < 0) {
        return false;
    }
    const std::int64_t offset = First * static_cast<std::int64_t>(RecordSize_);
    // A write may overwrite or append, never start past the end: that would leave a gap of
    // records nobody wrote (a stale cursor, or another object shortened the file).
    try {
        if (offset > File_.Size()) {
            return false;
        }
    } catch (const EInOutError&) {
        return false;
    }
    return File_.WriteAt(offset, Bytes, static_cast<std::size_t>(Count) * RecordSize_);
}

void TRecordFile::TruncateTo(std::int32_t Count) {
    File_.Truncate(std::int64_t{Count} * static_cast<std::int64_t>(RecordSize_));
}

std::int32_t TRecordFile::RecordCount() const {
    const std::int64_t records = File_.Size() / static_cast<std::int64_t>(RecordSize_);
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(records, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t TRecordFile::BlockRecords(std::int32_t Count) const {
    constexpr std::size_t BlockBytes = 64 * 1024;
    const auto most = static_cast<std::int32_t>(std::max<std::size_t>(1, BlockBytes / RecordSize_));
    return std::clamp(Count, 1, most);
}

} // namespace korvane
