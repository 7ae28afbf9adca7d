#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>
#include <string>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvane {

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
    // What else a dialog changes with its mode; runs at the end of SetMode.
    virtual void ModeSet() {}

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
    // The record's ID and text shown in the two fields.
    void ShowValues(std::int32_t id, const QString& text);
    // The text as the files hold it: code-page bytes, at most 40.
    std::string TextValue() const;
    // Enables or locks the text field (an official applicant's name is locked).
    void SetTextLocked(bool locked);

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

// The dialog of the selected criteria lists: a drop-down list of the sample criteria that takes
// no typing, item i being the sample criterion at index i of its file.
class TCriteriaEditDialog : public TListEditDialog {
    Q_OBJECT
public:
    void SetCriteria(const QStringList& descriptions);
    // The chosen item, -1 when the list offers none.
    int CriterionIndex() const;
    void SetCriterionIndex(int index);

    QLabel* Label1;
    QComboBox* CriteriaList;

protected:
    TCriteriaEditDialog(QWidget* owner, QSize clientSize,
                        const std::array<TDialogModeText, 3>& modes, int listWidth);
    void LockFields() override;
};

} // namespace korvane
