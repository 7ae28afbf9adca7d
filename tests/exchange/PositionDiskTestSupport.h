#pragma once

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QStringList>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>

#include "exchange/StatusForm.h"
#include "platform/sys/FileCopy.h"
#include "platform/sys/FileReplace.h"
#include "platform/sys/System.h"
#include "tests/support/core/ScopedProcessState.h"

namespace korvane::test {

// Makes the folder Disk (created here) the removable drive E for the lifetime of the object,
// prepared as the position disk of Title; PositionTitle becomes Title too.
class TPositionDisk {
public:
    TPositionDisk(const std::filesystem::path& Disk, const std::string& Title)
        : Disk_(Disk), Saved_(EnvironmentValue("KORVANE_DRIVES")) {
        std::filesystem::create_directories(Disk_);
        SetEnvironmentValue("KORVANE_DRIVES", "E=" + Disk_.string());
        Put("Disk2.id", "");
        Put("kvn.dat", Title + "\r\n");
        PositionTitle = Title;
    }
    ~TPositionDisk() {
        if (Saved_) {
            SetEnvironmentValue("KORVANE_DRIVES", *Saved_);
        } else {
            UnsetEnvironmentValue("KORVANE_DRIVES");
        }
        TFileFaults::LimitWrites(std::nullopt);
    }
    TPositionDisk(const TPositionDisk&) = delete;
    TPositionDisk& operator=(const TPositionDisk&) = delete;

    const std::filesystem::path& Path() const { return Disk_; }
    std::filesystem::path operator/(const std::string& Name) const { return Disk_ / Name; }

    void Put(const std::string& Name, const std::string& Bytes) const {
        std::ofstream out(Disk_ / Name, std::ios::binary | std::ios::trunc);
        out << Bytes;
    }
    // The names of everything on the disk.
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Disk_)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path Disk_;
    std::optional<std::string> Saved_;
    ScopedProcessState State_;
};

// Records what the progress window paints: "caption|text" each time its line is painted with a
// text other than the one before.
class TProgressRecorder : public QObject {
public:
    TProgressRecorder() { qApp->installEventFilter(this); }
    ~TProgressRecorder() override { qApp->removeEventFilter(this); }

    const QStringList& Painted() const { return Painted_; }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::Paint && Watched->objectName() == QStringLiteral("Label1")) {
            auto* label = qobject_cast<QLabel*>(Watched);
            auto* form = label != nullptr ? qobject_cast<TStatusForm*>(label->window()) : nullptr;
            if (form != nullptr) {
                const QString seen = form->windowTitle() + QLatin1Char('|') + label->text();
                if (Painted_.isEmpty() || Painted_.back() != seen) {
                    Painted_ << seen;
                }
            }
        }
        return false;
    }

private:
    QStringList Painted_;
};

} // namespace korvane::test
