#pragma once

#include <QDialog>

class QLineEdit;

namespace zendra {

// The school-name dialog: the title printed on every sheet's name line.
class TfrmJuku : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmJuku(QWidget* parent = nullptr);

    void setSchool(const QString& school);
    QString school() const;

private:
    QLineEdit* edtSchool_;
};

} // namespace zendra
