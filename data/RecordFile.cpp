#include "data/RecordFile.h"

#include <cstring>
#include <limits>

#include "platform/sys/InOutError.h"

namespace korvane {

namespace {

// A change holds the whole file in memory; record files are far smaller than this.
constexpr std::int64_t MaxChangeBytes = std::int64_t{256} * 1024 * 1024;

} // namespace

TRecordFile::TRecordFile(const std::string& FileName, std::size_t RecordSize, TFileUse Use)
    : RecordSize_(RecordSize), FileName_(FileName), Use_(Use) {
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

TRecordFile::~TRecordFile() {
    if (Together_ != nullptr) {
        Together_->Leave(this);
    }
}

void TRecordFile::JoinChange(TFilesChange& Together) {
    if (Together_ != nullptr) {
        Together_->Leave(this);
    }
    Together_ = &Together;
    Staged_ = false;
    Together.OnEnd(this, [this](bool Made) {
        Together_ = nullptr;
        if (Staged_ && !Made) {
            Cursor_ = CursorBefore_;
            LastIndex_ = LastIndexBefore_;
            Status_ |= stIOError;
        }
        Staged_ = false;
    });
}

bool TRecordFile::StageCopy(std::int32_t CursorBefore, std::int32_t LastIndexBefore) {
    if (Staged_ || !Together_->Stage(File_.FilePath(), Copy_.data(), Copy_.size())) {
        return false;
    }
    Staged_ = true;
    CursorBefore_ = CursorBefore;
    LastIndexBefore_ = LastIndexBefore;
    return true;
}

TRecordFile::TChange::TChange(TRecordFile& File)
    : File_(File), Cursor_(File.Cursor_), LastIndex_(File.LastIndex_) {
    File_.File_.FollowPath();
    File_.Failed_ = false;
    Loaded_ = File_.File_.ReadAll(File_.Copy_, MaxChangeBytes);
    if (!Loaded_) {
        File_.Status_ |= stIOError;
        return;
    }
    File_.Changing_ = true;
}

TRecordFile::TChange::~TChange() {
    File_.Changing_ = false;
    std::vector<unsigned char>().swap(File_.Copy_);
}

bool TRecordFile::TChange::Commit() {
    File_.Changing_ = false;
    if (!File_.Failed_ && File_.Together_ != nullptr) {
        if (File_.StageCopy(Cursor_, LastIndex_)) {
            return true;
        }
    } else if (!File_.Failed_ && File_.File_.ReplaceContent(File_.Copy_.data(), File_.Copy_.size(),
                                                            File_.Use_ == TFileUse::Data)) {
        return true;
    }
    File_.Status_ |= stIOError;
    Abandon();
    return false;
}

void TRecordFile::TChange::Abandon() {
    File_.Changing_ = false;
    File_.Cursor_ = Cursor_;
    File_.LastIndex_ = LastIndex_;
}

bool TRecordFile::ReadBytesAtCursor(unsigned char* Bytes) {
    if (ReadBlock(Cursor_, 1, Bytes) == 1) {
        return true;
    }
    Status_ |= stIOError;
    return false;
}

std::int32_t TRecordFile::ReadBlock(std::int32_t First, std::int32_t Count, unsigned char* Bytes) {
    if (First < 0 || Count <= 0) {
        return 0;
    }
    if (Changing_) {
        const std::int32_t got = std::clamp(CopyRecords() - First, 0, Count);
        if (got == 0) {
            return 0;
        }
        std::memcpy(Bytes, CopyRecord(First), static_cast<std::size_t>(got) * RecordSize_);
        return got;
    }
    File_.FollowPath();
    const auto size = static_cast<std::int64_t>(RecordSize_);
    const std::ptrdiff_t got =
        File_.ReadAt(First * size, Bytes, static_cast<std::size_t>(Count) * RecordSize_);
    if (got <= 0) {
        return 0;
    }
    return static_cast<std::int32_t>(static_cast<std::size_t>(got) / RecordSize_);
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

std::int32_t TRecordFile::CopyRecords() const {
    return static_cast<std::int32_t>(Copy_.size() / RecordSize_);
}

unsigned char* TRecordFile::CopyRecord(std::int32_t Index) {
    return Copy_.data() + static_cast<std::size_t>(Index) * RecordSize_;
}

bool TRecordFile::WriteCopy(std::int32_t Index, const unsigned char* Bytes) {
    // A write may overwrite or append, never start past the end: that would leave a gap of
    // records nobody wrote (a stale cursor, or another object shortened the file).
    const std::size_t offset = static_cast<std::size_t>(Index) * RecordSize_;
    if (Index < 0 || offset > Copy_.size()) {
        StepFailed();
        return false;
    }
    if (Copy_.size() < offset + RecordSize_) {
        Copy_.resize(offset + RecordSize_);
    }
    std::memcpy(Copy_.data() + offset, Bytes, RecordSize_);
    return true;
}

void TRecordFile::TruncateCopy(std::int32_t Count) {
    Copy_.resize(static_cast<std::size_t>(std::max(Count, 0)) * RecordSize_);
}

void TRecordFile::CountWholeCopy() {
    LastIndex_ = std::max(LastIndex_, CopyRecords() - 1);
}

void TRecordFile::StepFailed() {
    Failed_ = true;
}

} // namespace korvane
