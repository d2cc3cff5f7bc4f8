#include "app/WidgetSheetArea.h"

#include "app/MainCommands.h"
#include "app/TfrmDummy.h"
#include "app/WidgetTipsPanel.h"
#include "platform/Messages.h"
#include "sheet/TfrmPrint.h"

#include <QMdiSubWindow>

namespace zendra {

WidgetSheetArea::WidgetSheetArea(QWidget* parent) : QMdiArea(parent)
{
    setObjectName(QStringLiteral("mdiArea"));
    setBackground(QColor(224, 224, 224));
    connect(this, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow* sub) {
        if (auto* frm = sub ? qobject_cast<TfrmPrint*>(sub->widget()) : nullptr)
            frm->FormActivate();
    });
    tips_ = new WidgetTipsPanel(this);
    connect(tips_, &WidgetTipsPanel::closed, this, [this] {
        if (frmDummy_ && keys_.isEmpty())
            frmDummy_->showTitleButton(true);
    });
}

QList<TfrmPrint*> WidgetSheetArea::sheets() const
{
    QList<TfrmPrint*> all;
    for (QMdiSubWindow* sub : subWindowList())
        if (auto* frm = qobject_cast<TfrmPrint*>(sub->widget()))
            all.append(frm);
    return all;
}

QMdiSubWindow* WidgetSheetArea::subWindowOf(const QString& key) const
{
    for (QMdiSubWindow* sub : subWindowList(QMdiArea::StackingOrder))
        if (auto* frm = qobject_cast<TfrmPrint*>(sub->widget());
            frm && frm->sheet().source.windowKey == key)
            return sub;
    return nullptr;
}

TfrmPrint* WidgetSheetArea::open(Sheet&& sheet, WorksheetHost& host)
{
    auto* frm = new TfrmPrint(std::move(sheet), host);
    QMdiSubWindow* sub = addSubWindow(frm);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    keys_.append(frm->sheet().source.windowKey);
    sub->move(0, 0);
    sub->resize(size());
    sub->show();
    setActiveSubWindow(sub);
    // The title window waits behind the worksheets; hidden, it stays out of tiling.
    if (titleWindow_)
        titleWindow_->hide();
    return frm;
}

void WidgetSheetArea::forget(const QString& key)
{
    keys_.removeOne(key);
    if (!keys_.isEmpty() || !titleWindow_)
        return;
    titleWindow_->show();
    frmDummy_->showTitleButton(!tips_->isVisible());
}

void WidgetSheetArea::rename(const QString& from, const QString& to)
{
    keys_ = RenameOpenSheet(keys_, from, to);
}

void WidgetSheetArea::activate(int index)
{
    if (index < 0 || index >= keys_.size())
        return;
    if (QMdiSubWindow* sub = subWindowOf(keys_.at(index))) {
        setActiveSubWindow(sub);
        sub->widget()->setFocus();
    }
}

bool WidgetSheetArea::activateIfOpen(const QString& key)
{
    const int open = find(key);
    if (open < 0)
        return false;
    ShowMessage(QStringLiteral("すでに読み込まれています"));
    activate(open);
    return true;
}

void WidgetSheetArea::closeSheet(const QString& key)
{
    if (QMdiSubWindow* sub = subWindowOf(key))
        sub->close();
}

void WidgetSheetArea::discard(const QString& key)
{
    if (QMdiSubWindow* sub = subWindowOf(key)) {
        qobject_cast<TfrmPrint*>(sub->widget())->sheet().changed = false;
        sub->close();
    }
}

void WidgetSheetArea::closeAll()
{
    const QStringList keys = keys_;
    for (const QString& key : keys)
        closeSheet(key);
}

void WidgetSheetArea::cascade()
{
    cascadeSubWindows();
    // The cascade gives every window its size hint, a sliver of a sheet. Each takes the
    // document area less the offset of the farthest window instead, so all stay inside it.
    QList<QMdiSubWindow*> shown;
    QPoint farthest;
    for (QMdiSubWindow* sub : subWindowList())
        if (sub->isVisible() && qobject_cast<TfrmPrint*>(sub->widget())) {
            shown.append(sub);
            farthest.setX(std::max(farthest.x(), sub->x()));
            farthest.setY(std::max(farthest.y(), sub->y()));
        }
    const QSize area = viewport()->size();
    const QSize size(std::max(area.width() - farthest.x(), 200),
                     std::max(area.height() - farthest.y(), 150));
    for (QMdiSubWindow* sub : shown)
        sub->resize(size);
}

void WidgetSheetArea::maximizeActive()
{
    if (QMdiSubWindow* sub = activeSubWindow())
        sub->showMaximized();
}

bool WidgetSheetArea::runWindowCommand(MenuCommand command)
{
    switch (command) {
    case MenuCommand::Maximize:
        maximizeActive();
        return true;
    case MenuCommand::Tile:
        tileSubWindows();
        return true;
    case MenuCommand::Cascade:
        cascade();
        return true;
    case MenuCommand::CloseAll:
        closeAll();
        return true;
    default:
        return false;
    }
}

void WidgetSheetArea::showTitle(const QString& picture)
{
    frmDummy_ = new TfrmDummy;
    frmDummy_->setTitlePicture(picture);
    connect(frmDummy_, &TfrmDummy::keyPressed, this, &WidgetSheetArea::keyPressed);
    titleWindow_ = addSubWindow(frmDummy_);
    titleWindow_->resize(size());
    titleWindow_->show();
    tips_->placeIn(size());
}

void WidgetSheetArea::showTips()
{
    tips_->show();
    tips_->raise();
    if (frmDummy_)
        frmDummy_->showTitleButton(false);
}

} // namespace zendra
