#include "app/SplashForm.h"

#include <QApplication>
#include <QBitmap>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>

#include "app/ProductPicture.h"
#include "platform/ui/Display.h"

namespace korvane {

namespace {
QPointer<TSplashForm> Splash;
}

TSplashForm::TSplashForm(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Korvane"));
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setFixedSize(434, 333);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    Panel1->setGeometry(8, 8, 417, 273);

    const TProductLabels product = AddProductLabels(Panel1, {131, 8}, {136, 41});
    Image1 = product.Picture;
    Image1->setObjectName(QStringLiteral("Image1"));
    ProductName = product.Name;
    Version = product.Version;

    // The second picture: the sheet again, small, with white shown transparent.
    QPixmap second = ProductPicture(QSize(64, 62));
    second.setMask(second.createMaskFromColor(Qt::white));
    Image2 = new QLabel(Panel1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(340, 195, 64, 62);
    Image2->setPixmap(second);

    auto* tagline =
        new QLabel(QStringLiteral("Rating applicants for the hiring committee"), Panel1);
    tagline->setGeometry(136, 70, 270, 16);

    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setGeometry(0, 288, 417, 20);
    Gauge1->setTextVisible(false);
    Gauge1->setStyleSheet(QStringLiteral("QProgressBar::chunk { background: blue; }"));

    Label1 = new QLabel(QStringLiteral("Loading...."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(192, 312, 120, 16);

    CentreOnScreen(this);
}

void ShowSplash(int Maximum) {
    CloseSplash();
    Splash = new TSplashForm();
    Splash->Gauge1->setVisible(Maximum > 0);
    if (Maximum > 0) {
        Splash->Gauge1->setMaximum(Maximum);
    }
    Splash->show();
    // Let the window system map it, then paint it now: no messages run while starting up.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    Splash->repaint();
}

void CloseSplash() {
    if (Splash != nullptr) {
        Splash->hide();
        delete Splash;
    }
}

TSplashForm* SplashForm() {
    return Splash;
}

} // namespace korvane
