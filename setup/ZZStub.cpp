#include "setup/ListScreen.h"
namespace korvane {
void TListScreen::PrintBtnClick() {}
void TListScreen::PrintList() {}
void TListScreen::PrintListHeader(TReportPreviewForm&) {}
void TListScreen::WriteListRow(TReportPreviewForm&, const std::function<QString(int)>&) {}
}
