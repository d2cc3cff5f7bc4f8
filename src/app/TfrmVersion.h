#pragma once

#include <QDialog>

namespace zendra {

// The about box.
class TfrmVersion : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmVersion(QWidget* parent = nullptr);
};

// The version text the about box shows.
inline const char* const kVersionText = "Version 4.04 2005.06.21";

} // namespace zendra
