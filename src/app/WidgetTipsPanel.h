#pragma once

#include <QGroupBox>

class QCheckBox;

namespace zendra {

// ご存じですか？: buttons that open help topics, over the document area. Closing it keeps
// the 次回も表示する choice in the settings ("ShowDoYouKnow").
class WidgetTipsPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit WidgetTipsPanel(QWidget* parent);

    void setShowNextTime(bool show);
    // Shown in the middle of an area of that size, a little above its centre.
    void placeIn(QSize area);

signals:
    void helpRequested(int context);
    void closed();

private:
    QCheckBox* chkNextTime_ = nullptr;
};

} // namespace zendra
