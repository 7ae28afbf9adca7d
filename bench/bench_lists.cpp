#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/BenchWorkDir.h"
#include "data/DataBase.h"
#include "data/FileNames.h"
#include "platform/sys/System.h"
#include "setup/CommitteeAddEditForm.h"
#include "setup/CommitteeForm.h"

namespace korvane {
namespace {

constexpr int Members = 2000;

// A working directory of its own holding a committee of 2,000 members, removed afterwards.
class TCommitteeFolder {
public:
    TCommitteeFolder() {
        std::filesystem::remove(CommitteeFileName);
        TDataBase base(CommitteeFileName);
        for (int i = 1; i <= Members; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "MEMBER %04d, A", i);
            TDataRecord record;
            record.Description = name;
            bool added = false;
            base.Insert(record, added);
        }
    }

private:
    bench::TBenchWorkDir Folder_{"lists"};
};

// Paints every visible cell of the grid once, each cell reading its record from the file.
void RepaintVisibleRows(TCommitteeForm& screen, QImage& image) {
    screen.DrawGrid1->viewport()->render(&image);
}

// A full repaint of the rows in view, in the middle of a 2,000-member list.
void BM_RepaintVisibleRows(benchmark::State& state) {
    TCommitteeFolder folder;
    TCommitteeForm screen(nullptr);
    screen.show();
    QApplication::processEvents();
    screen.DrawGrid1->SetRow(Members / 2);
    QImage image(screen.DrawGrid1->viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        RepaintVisibleRows(screen, image);
    }
    state.counters["rows"] = screen.DrawGrid1->VisibleRowCount();
}
BENCHMARK(BM_RepaintVisibleRows)->Unit(benchmark::kMicrosecond);

// Scrolling: a page down, then the repaint it causes.
void BM_PageDownAndRepaint(benchmark::State& state) {
    TCommitteeFolder folder;
    TCommitteeForm screen(nullptr);
    screen.show();
    QApplication::processEvents();
    QImage image(screen.DrawGrid1->viewport()->size(), QImage::Format_RGB32);
    int row = 1;
    for (auto _ : state) {
        row = row + screen.DrawGrid1->VisibleRowCount() > Members ? 1 : row + 16;
        screen.DrawGrid1->SetRow(row);
        RepaintVisibleRows(screen, image);
    }
}
BENCHMARK(BM_PageDownAndRepaint)->Unit(benchmark::kMicrosecond);

// One edit through the Edit button: the dialog opens, the name is changed and saved, the file
// changes as one flushed change, the list state and the rows in view are redrawn.
// Arg 0: the first member is renamed to sort last; arg 1: the last member to sort first
// (every record moves one place).
void BM_EditOneMember(benchmark::State& state) {
    TCommitteeFolder folder;
    TCommitteeForm screen(nullptr);
    screen.show();
    QApplication::processEvents();
    QImage image(screen.DrawGrid1->viewport()->size(), QImage::Format_RGB32);
    const bool toFront = state.range(0) == 1;
    int counter = 0;
    for (auto _ : state) {
        ++counter;
        char name[32];
        std::snprintf(name, sizeof name, toFront ? "AAA %06d" : "ZZZ %06d",
                      toFront ? 999999 - counter : counter);
        screen.DrawGrid1->SetRow(toFront ? Members : 1);
        QTimer::singleShot(0, [&name] {
            auto* dialog = qobject_cast<TCommitteeAddEditForm*>(QApplication::activeModalWidget());
            if (dialog != nullptr) {
                dialog->CommitteeName->setText(QString::fromLatin1(name));
                dialog->accept();
            }
        });
        screen.EditBtnClick();
        RepaintVisibleRows(screen, image);
    }
    // The edits must have reached the file, or the figure means nothing.
    const QString moved = screen.CellText(1, toFront ? 1 : Members);
    if (!moved.startsWith(QLatin1String(toFront ? "AAA" : "ZZZ")) ||
        screen.DrawGrid1->RowCount() != Members + 1) {
        state.SkipWithError("the edit did not reach the file");
    }
}
BENCHMARK(BM_EditOneMember)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace korvane
