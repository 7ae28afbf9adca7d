#include "rating/ApplicantPool.h"

#include <filesystem>
#include <system_error>

#include "data/FileNames.h"
#include "platform/sys/TempFolder.h"

namespace korvane {

std::string TApplicantPool::FileName() {
    return TempFolder() + TempFileName;
}

TApplicantPool::TApplicantPool() : FileName_(FileName()) {
    std::error_code error;
    std::filesystem::remove(FileName_, error);
    File_ = std::make_unique<TDataBase>(FileName_, TFileUse::Scratch);
    if (File_->Opened() && File_->LastIndex() >= 0) {
        Usable_ = false; // the old file would not go: none of its records is shown
        Complete_ = false;
        return;
    }

    TDataBase applicants(ApplicantFileName);
    TDataRecord rec;
    applicants.First(rec);
    while (applicants.Status() == 0) {
        if (rec.ApplicantStatus == 0) {
            bool added = false;
            File_->Insert(rec, added);
            if (!added && (File_->Status() & (stIOError | stNotOpen)) != 0) {
                Complete_ = false;
            }
        }
        applicants.Next(rec);
    }
    if (applicants.LastIndex() >= 0 && (applicants.Status() & stIOError) != 0) {
        Complete_ = false; // Applicant.Dat could not be read to its end
    }
}

TApplicantPool::~TApplicantPool() {
    File_.reset();
    std::error_code error;
    std::filesystem::remove(FileName_, error);
}

} // namespace korvane
