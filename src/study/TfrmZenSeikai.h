#pragma once

#include <QDialog>

namespace zendra {

// "全問正解です": the small window a test answered wholly right brings up.
class TfrmZenSeikai : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmZenSeikai(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace zendra
