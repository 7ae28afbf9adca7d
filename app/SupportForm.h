#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace korvane {

// The technical and rating support contacts named in support.dat.
class TSupportForm : public QDialog {
    Q_OBJECT
public:
    explicit TSupportForm(QWidget* owner = nullptr);

    QFrame* Panel1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* TechName1;
    QLabel* TechName2;
    QLabel* TechName3;
    QLabel* TechPhone1;
    QLabel* TechPhone2;
    QLabel* TechPhone3;
    QLabel* RateName1;
    QLabel* Ratename2;
    QLabel* Ratename3;
    QLabel* RatePhone1;
    QLabel* RatePhone2;
    QLabel* RatePhone3;
    QPushButton* OkBtn;

private:
    void FormCreate();
    QLabel* ContactLabel(const char* name, int y, bool phone);
};

} // namespace korvane
