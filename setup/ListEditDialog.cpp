#include "setup/ListEditDialog.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include "platform/ui/CodePage.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/ScreenKit.h"
#include "setup/ListScreen.h"

namespace korvane {

namespace {

constexpr int NameLength = 40;

// Turns every typed letter into its capital, as long as the capital is a character of the
// single-byte code page (a capital the files cannot hold would be stored as '?').
class TUpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        for (QChar& c : input) {
            const QChar upper = c.toUpper();
            if (upper != c && ToCodePage(QString(upper)) != "?") {
                c = upper;
            }
        }
        return Acceptable;
    }
};

} // namespace

QLineEdit* NewNameEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(NameLength);
    edit->setValidator(new TUpperCaseValidator(edit));
    return edit;
}

void ShowAsLocked(QWidget* field) {
    field->setEnabled(false);
    QPalette palette = field->palette();
    const QColor face = palette.color(QPalette::Button);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, face);
    }
    // Unchangeable, but the user must be able to read what he confirms: the text keeps the
    // colours of an enabled field instead of the faint disabled grey.
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, palette.color(QPalette::Active, role));
    }
    field->setPalette(palette);
}

TListEditDialog::TListEditDialog(QWidget* owner, QSize clientSize,
                                 const std::array<TDialogModeText, 3>& modes,
                                 const char* helpButtonName)
    : QDialog(owner), Modes_(modes) {
    setWindowFlags(FixedDialogFlags());
    setFont(ScreenFont());
    setFixedSize(clientSize);

    const int width = clientSize.width();
    const int height = clientSize.height();
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(8, 8, width - 16, height - 49);

    constexpr int ButtonWidth = 75;
    constexpr int ButtonHeight = 25;
    const int top = height - 33;
    int left = width - 8 - 3 * ButtonWidth - 2 * 8;
    SaveBtn = NewButton(this, "SaveBtn", "&Save", QRect(left, top, ButtonWidth, ButtonHeight));
    DeleteBtn = NewButton(this, "DeleteBtn", "&Delete", SaveBtn->geometry());
    left += ButtonWidth + 8;
    BitBtn1 = NewButton(this, "BitBtn1", "Cancel", QRect(left, top, ButtonWidth, ButtonHeight));
    left += ButtonWidth + 8;
    HelpButton =
        NewButton(this, helpButtonName, "&Help", QRect(left, top, ButtonWidth, ButtonHeight));

    SaveBtn->setDefault(true);
    DeleteBtn->hide();
    connect(SaveBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(DeleteBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    SetMode(AddMode);
}

void TListEditDialog::SetMode(std::uint8_t mode) {
    Mode_ = mode <= DeleteMode ? mode : AddMode;
    const TDialogModeText& text = Modes_[Mode_];
    setWindowTitle(QString::fromLatin1(text.Caption));
    SetHelpContext(this, text.HelpContext);
    if (Mode_ == DeleteMode) {
        LockFields();
        SaveBtn->hide();
        SaveBtn->setDefault(false);
        DeleteBtn->show();
        DeleteBtn->setDefault(true);
        DeleteBtn->setFocus();
    }
    ModeSet();
}

void TListEditDialog::ShowModeHelp() {
    ShowHelpTopic(Modes_[Mode_].HelpContext);
}

TNameEditDialog::TNameEditDialog(QWidget* owner, QSize clientSize,
                                 const std::array<TDialogModeText, 3>& modes,
                                 const char* helpButtonName, const TFieldNames& fields)
    : TListEditDialog(owner, clientSize, modes, helpButtonName) {
    const int inner = Panel1->width();
    constexpr int LabelWidth = 120;
    Label1 = new QLabel(QString::fromLatin1(fields.IdLabel), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(12, 14, LabelWidth, 17);
    Label2 = new QLabel(QString::fromLatin1(fields.TextLabel), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(12, 44, LabelWidth, 17);

    IdEdit = new QLineEdit(QStringLiteral("0"), Panel1);
    IdEdit->setObjectName(QString::fromLatin1(fields.IdName));
    IdEdit->setGeometry(12 + LabelWidth, 11, 65, 21);
    ShowAsLocked(IdEdit);
    TextEdit = NewNameEdit(Panel1, fields.TextName);
    TextEdit->setGeometry(12 + LabelWidth, 41, inner - LabelWidth - 24, 21);
    Label1->setBuddy(IdEdit);
    Label2->setBuddy(TextEdit);
    setTabOrder(TextEdit, SaveBtn);
    setTabOrder(SaveBtn, DeleteBtn);
    setTabOrder(DeleteBtn, BitBtn1);
    setTabOrder(BitBtn1, HelpButton);
    TextEdit->setFocus();
}

TCriteriaEditDialog::TCriteriaEditDialog(QWidget* owner, QSize clientSize,
                                         const std::array<TDialogModeText, 3>& modes, int listWidth)
    : TListEditDialog(owner, clientSize, modes, "HelpBtn") {
    Label1 = new QLabel(QStringLiteral("Selected Criteria:"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(12, 14, 100, 17);
    CriteriaList = new QComboBox(Panel1);
    CriteriaList->setObjectName(QStringLiteral("CriteriaList"));
    CriteriaList->setEditable(false);
    CriteriaList->setGeometry(112, 11, listWidth, 21);
    Label1->setBuddy(CriteriaList);
    setTabOrder(CriteriaList, SaveBtn);
    setTabOrder(SaveBtn, DeleteBtn);
    setTabOrder(DeleteBtn, BitBtn1);
    setTabOrder(BitBtn1, HelpButton);
    connect(HelpButton, &QPushButton::clicked, this, &TCriteriaEditDialog::ShowModeHelp);
    CriteriaList->setFocus();
}

void TCriteriaEditDialog::SetCriteria(const QStringList& descriptions) {
    CriteriaList->clear();
    CriteriaList->addItems(descriptions);
    CriteriaList->setCurrentIndex(descriptions.isEmpty() ? -1 : 0);
}

int TCriteriaEditDialog::CriterionIndex() const {
    return CriteriaList->currentIndex();
}

void TCriteriaEditDialog::SetCriterionIndex(int index) {
    CriteriaList->setCurrentIndex(index);
}

void TCriteriaEditDialog::LockFields() {
    ShowAsLocked(CriteriaList);
}

void TNameEditDialog::ShowValues(std::int32_t id, const QString& text) {
    IdEdit->setText(QString::number(id));
    TextEdit->setText(text);
}

std::string TNameEditDialog::TextValue() const {
    return ToCodePage(TextEdit->text()).substr(0, NameLength);
}

void TNameEditDialog::SetTextLocked(bool locked) {
    if (locked) {
        ShowAsLocked(TextEdit);
    } else {
        TextEdit->setEnabled(true);
        TextEdit->setPalette(QPalette());
    }
}

void TNameEditDialog::LockFields() {
    ShowAsLocked(TextEdit);
}

} // namespace korvane
