#include "tests/support/ModalScript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace korvane::test {

namespace {

// The scripts alive, the newest last.
std::vector<ModalScript*> Scripts;

} // namespace

ModalScript::ModalScript() {
    Scripts.push_back(this);
    Timer_.setInterval(10);
    connect(&Timer_, &QTimer::timeout, this, &ModalScript::Poll);
    Timer_.start();
}

ModalScript::~ModalScript() {
    Timer_.stop();
    std::erase(Scripts, this);
}

ModalScript& ModalScript::Then(Step step) {
    Steps_.push_back({std::move(step), std::nullopt});
    return *this;
}

void ModalScript::InstallMessageGuard() {
    SetMessageAnswerer(&ModalScript::AnswerMessage);
}

std::optional<TModalResult> ModalScript::AnswerMessage(const QString& Text, TMessageKind Kind,
                                                       TMessageButtons Buttons) {
    ModalScript* script = nullptr;
    for (auto it = Scripts.rbegin(); it != Scripts.rend() && script == nullptr; ++it) {
        if (!(*it)->Steps_.empty()) {
            script = *it;
        }
    }
    if (script == nullptr) {
        ADD_FAILURE() << "a message box nobody expected: " << Text.toStdString();
        return SafeAnswer(Buttons);
    }
    const std::optional<TModalResult> answer = script->Steps_.front().Answer;
    if (!answer) {
        return std::nullopt; // a step of its own handles the box when it shows
    }
    script->Steps_.pop_front();
    script->Messages_ << Text;
    script->Kinds_ << Kind;
    const bool offered =
        *answer == TModalResult::Ok
            ? Buttons == TMessageButtons::Ok || Buttons == TMessageButtons::OkCancel
        : *answer == TModalResult::Cancel
            ? Buttons == TMessageButtons::OkCancel || Buttons == TMessageButtons::YesNoCancel
            : Buttons == TMessageButtons::YesNo || Buttons == TMessageButtons::YesNoCancel;
    if (!offered) {
        ADD_FAILURE() << "the message box has no such button: " << Text.toStdString();
        return SafeAnswer(Buttons);
    }
    return answer;
}

ModalScript& ModalScript::ThenAnswer(TModalResult button) {
    Then([this, button](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box == nullptr) {
            ADD_FAILURE() << "expected a message box, got " << widget->metaObject()->className();
            widget->close();
            return;
        }
        Messages_ << box->text();
        TMessageKind kind = TMessageKind::Information;
        switch (box->icon()) {
        case QMessageBox::Critical:
            kind = TMessageKind::Error;
            break;
        case QMessageBox::Warning:
            kind = TMessageKind::Warning;
            break;
        case QMessageBox::Question:
            kind = TMessageKind::Question;
            break;
        default:
            break;
        }
        Kinds_ << kind;
        EXPECT_EQ(box->windowTitle().toStdString(), "Korvane");
        PressMessageButton(box, button);
    });
    Steps_.back().Answer = button;
    return *this;
}

void ModalScript::PressMessageButton(QWidget* widget, TModalResult button) {
    auto* box = qobject_cast<QMessageBox*>(widget);
    if (box == nullptr) {
        ADD_FAILURE() << "not a message box";
        return;
    }
    QMessageBox::StandardButton standard = QMessageBox::Ok;
    switch (button) {
    case TModalResult::Yes:
        standard = QMessageBox::Yes;
        break;
    case TModalResult::No:
        standard = QMessageBox::No;
        break;
    case TModalResult::Cancel:
        standard = QMessageBox::Cancel;
        break;
    default:
        break;
    }
    QAbstractButton* target = box->button(standard);
    if (target == nullptr) {
        ADD_FAILURE() << "the message box has no such button: " << box->text().toStdString();
        box->close();
        return;
    }
    target->click();
}

void ModalScript::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || Steps_.empty() || !modal->isVisible()) {
        return;
    }
    for (const auto& handled : Handled_) {
        if (handled == modal) {
            return;
        }
    }
    Handled_ << QPointer<QWidget>(modal);
    auto step = std::make_shared<Step>(std::move(Steps_.front().Run));
    Steps_.pop_front();
    // Run the step outside this timer's handler, so that the poll can answer a window the step
    // opens in its turn.
    QPointer<QWidget> target(modal);
    QTimer::singleShot(0, this, [step, target] {
        if (target != nullptr) {
            (*step)(target);
        }
    });
}

void Type(const std::string& Keys) {
    for (std::size_t i = 0; i < Keys.size(); ++i) {
        // With no window manager nobody hands the focus back to the window under a window that
        // closed: do what one would.
        if (QApplication::focusWidget() == nullptr &&
            QApplication::activeModalWidget() != nullptr) {
            QApplication::activeModalWidget()->activateWindow();
        }
        const bool focused =
            QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 1000);
        ASSERT_TRUE(focused) << "no focus for key " << i << " of " << Keys;
        QWidget* focus = QApplication::focusWidget();
        if (Keys[i] == '@' && i + 1 < Keys.size()) {
            QTest::keyClick(focus, static_cast<Qt::Key>(Keys[++i]), Qt::AltModifier);
            // A button's access key presses it after a short animation, as a user waits for.
            QTest::qWait(150);
        } else if (Keys[i] == '\n') {
            QTest::keyClick(focus, Qt::Key_Return);
        } else if (Keys[i] == '\x1b') {
            QTest::keyClick(focus, Qt::Key_Escape);
        } else {
            QTest::keyClick(focus, Keys[i]);
        }
    }
}

} // namespace korvane::test
