#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvane {

struct TDataRecord;

// Caption and help context of one dialog mode.
struct TDialogModeText {
    const char* Caption;
    int HelpContext;
};

// The add, edit and delete dialog of a list screen: a lowered panel with the fields, Save (or
// Delete in delete mode), Cancel and Help. It validates nothing and touches no file; its list
// screen reads the fields after it closes with OK.
class TListEditDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr std::uint8_t AddMode = 0;
    static constexpr std::uint8_t EditMode = 1;
    static constexpr std::uint8_t DeleteMode = 2;

    void SetMode(std::uint8_t mode);
    std::uint8_t Mode() const { return Mode_; }

    // The fields shown for a record, and the fields stored back into it.
    virtual void ShowRecord(const TDataRecord& record) = 0;
    virtual void StoreRecord(TDataRecord& record) const = 0;

    QFrame* Panel1;
    QPushButton* SaveBtn;
    QPushButton* DeleteBtn;
    QPushButton* BitBtn1; // Cancel
    QPushButton* HelpButton;

protected:
    TListEditDialog(QWidget* owner, QSize clientSize, const std::array<TDialogModeText, 3>& modes,
                    const char* helpButtonName);

    // Opens the topic of the current mode.
    void ShowModeHelp();
    // Delete mode shows the record read-only: the dialog disables its fields here.
    virtual void LockFields() = 0;

private:
    std::array<TDialogModeText, 3> Modes_;
    std::uint8_t Mode_ = AddMode;
};

// A line edit for typed names and criteria: capitals as typed, at most 40 characters.
QLineEdit* NewNameEdit(QWidget* parent, const char* name);
// A read-only field in the button-face colour, as the dialogs show record IDs, its text as
// readable as that of an enabled field.
void ShowAsLocked(QWidget* field);

// The dialog of the lists of named records: a record ID and its text, in two labelled rows.
class TNameEditDialog : public TListEditDialog {
    Q_OBJECT
public:
    void ShowRecord(const TDataRecord& record) override;
    // The text cut to 40 characters becomes the Description; nothing else is touched.
    void StoreRecord(TDataRecord& record) const override;

protected:
    struct TFieldNames {
        const char* IdLabel;
        const char* TextLabel;
        const char* IdName;
        const char* TextName;
    };
    TNameEditDialog(QWidget* owner, QSize clientSize, const std::array<TDialogModeText, 3>& modes,
                    const char* helpButtonName, const TFieldNames& fields);
    void LockFields() override;

    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* IdEdit;
    QLineEdit* TextEdit;
};

} // namespace korvane
