#pragma once

#include <memory>
#include <string>

#include "data/DataBase.h"

namespace korvane {

// The applicants still in the pool, copied from Applicant.Dat into TempFile.dat in the
// temporary folder for the screen that owns this object, in name order. The copy is always made
// afresh: a TempFile.dat already there (the work file of an interrupted print run, say) is
// deleted first, since its records are no applicants. The copy goes when the object does.
class TApplicantPool {
public:
    TApplicantPool();
    ~TApplicantPool();
    TApplicantPool(const TApplicantPool&) = delete;
    TApplicantPool& operator=(const TApplicantPool&) = delete;

    TDataBase& File() { return *File_; }
    // Index of the last applicant, -1 when none is in the pool (or the copy cannot be opened).
    int LastIndex() const { return Usable_ && File_->Opened() ? File_->LastIndex() : -1; }
    // False when an applicant could not be written into the copy.
    bool Complete() const { return Complete_; }

    // Where the copy lives.
    static std::string FileName();

private:
    std::string FileName_;
    std::unique_ptr<TDataBase> File_;
    bool Usable_ = true;
    bool Complete_ = true;
};

} // namespace korvane
