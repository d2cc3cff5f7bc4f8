#include "app/WidgetTipsPanel.h"

#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace zendra {

namespace {

struct Tip
{
    const char* name;
    const char16_t* caption;
    int context; // help topic
    bool shown;
};

constexpr Tip kTips[] = {
    {"btnStudy", u"［学習］ボタンで勉強できます", 902, true},
    {"btnWord", u"★Microsoft Word（ワード）との連携", 842, true},
    {"btnFax", u"FAXソフトで送れます", 901, true},
    {"btnCFlag", u"自作の学級旗が印刷できます。", 840, true},
    {"btnClipBoard", u"クリップボードへコピーして画像を加工できます。", 850, true},
    {"btnRuidai", u"類題を使おう", 900, false},
};

} // namespace

WidgetTipsPanel::WidgetTipsPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("ご存じですか？"), parent)
{
    setObjectName(QStringLiteral("grbDoYouKnow"));
    setAutoFillBackground(true);
    QPalette green = palette();
    green.setColor(QPalette::Window, QColor(192, 255, 192));
    setPalette(green);
    auto* column = new QVBoxLayout(this);
    for (const Tip& tip : kTips) {
        auto* button = new QPushButton(QString::fromUtf16(tip.caption), this);
        button->setObjectName(QString::fromLatin1(tip.name));
        const int context = tip.context;
        connect(button, &QPushButton::clicked, this,
                [this, context] { emit helpRequested(context); });
        column->addWidget(button);
        if (!tip.shown)
            button->hide();
    }
    chkNextTime_ = new QCheckBox(QStringLiteral("次回も表示する"), this);
    chkNextTime_->setObjectName(QStringLiteral("chkNextTime"));
    chkNextTime_->hide();
    column->addWidget(chkNextTime_);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(close, &QPushButton::clicked, this, [this] {
        WriteBoolSetting(QStringLiteral("ShowDoYouKnow"), chkNextTime_->isChecked());
        hide();
        emit closed();
    });
    column->addWidget(close);
    adjustSize();
    hide();
}

void WidgetTipsPanel::setShowNextTime(bool show)
{
    chkNextTime_->setChecked(show);
}

void WidgetTipsPanel::placeIn(QSize area)
{
    move(std::max(0, (area.width() - width()) / 2),
         std::max(0, (area.height() - height() - 80) / 2));
}

} // namespace zendra
