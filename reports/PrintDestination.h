#pragma once

class QWidget;

namespace korvane {

// Where a printout goes, chosen by whoever starts it and handed to the report writer.
struct TPrintDestination {
    static constexpr int ToPreview = 0;
    static constexpr int ToPrinter = 1;

    // The system printer (which a headless run points at a PDF file) or the preview window.
    int Destination = ToPrinter;
    // The status window while the pages are written; a run with no display shows none.
    bool ShowProgress = true;
};

// What a Print button prints to: the printer or the preview, as the settings say.
TPrintDestination SettingsDestination();
// A run with no display: the system printer, already set to write a PDF file, and no window.
TPrintDestination PdfFileDestination();

// The rule of every Print button: for the printer the print dialog comes first, and false is
// returned when the user cancels it; the preview needs no dialog.
bool ConfirmPrint(QWidget* owner, const TPrintDestination& to);

} // namespace korvane
