#include "study/WidgetStudyRecords.h"

#include "platform/Numbers.h"
#include "study/Judging.h"
#include "study/WidgetStudyPads.h"

#include <QEvent>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>

namespace zendra {

namespace {

// What a message image keeps free at its right and bottom edges.
constexpr int kMessageMargin = 4;
const QString kGothic = QStringLiteral("ＭＳ ゴシック");

// The font of at most `points` in which the text fits `width` pixels.
QFont fittedFont(const QString& face, int points, const QString& text, int width)
{
    QFont font = StudyPointFont(face, points);
    for (int p = points - 1; p >= 6 && QFontMetrics(font).horizontalAdvance(text) > width; --p)
        font = StudyPointFont(face, p);
    return font;
}

} // namespace

WidgetMessageImage::WidgetMessageImage(const QString& name, QWidget* parent) : QLabel(parent)
{
    setObjectName(name);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void WidgetMessageImage::resetImage()
{
    image_ = QImage(size(), QImage::Format_RGB32);
    image_.fill(Qt::white);
}

void WidgetMessageImage::blank()
{
    image_.fill(Qt::white);
    lines_.clear();
    refresh();
}

void WidgetMessageImage::refresh()
{
    setPixmap(QPixmap::fromImage(image_));
}

void WidgetMessageImage::writeLine(int line, const QString& text, int points, QColor colour,
                                   int pitch)
{
    if (line == 0) {
        image_.fill(Qt::white);
        lines_.clear();
    }
    lines_.append(text);
    {
        QPainter painter(&image_);
        const QFont font = fittedFont(kGothic, points, text, image_.width() - kMessageMargin);
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(QPoint(0, pitch * line + QFontMetrics(font).ascent()), text);
    }
    refresh();
}

void WidgetMessageImage::writeFittedLines(const QStringList& lines)
{
    const int room = image_.height() - kMessageMargin;
    const int pitch = std::min(24, room / std::max<int>(1, lines.size()));
    const int points = std::min(18, pitch * 18 / 24);
    for (int k = 0; k < lines.size(); ++k)
        writeLine(k, lines.at(k), points, Qt::black, pitch);
}

void WidgetMessageImage::writeHint(const QStringList& hint)
{
    image_.fill(Qt::white);
    const QString title = QStringLiteral("学習のポイント");
    lines_ = QStringList{title} + hint;
    QPainter painter(&image_);
    painter.setPen(Qt::black);
    const int width = image_.width() - kMessageMargin;
    QFont font = fittedFont(kGothic, 20, title, width);
    painter.setFont(font);
    painter.drawText(QPoint(0, QFontMetrics(font).ascent()), title);
    // The hint lines wrapped at the image's width, smaller until all of them fit.
    const auto layout = [&](int points, bool draw) {
        font = StudyPointFont(kGothic, points);
        painter.setFont(font);
        const QFontMetrics metrics(font);
        const int step = std::max(metrics.height(), roundHalfEven(20.0 * points / 12));
        int y = 30;
        for (const QString& line : hint) {
            const QRect block =
                metrics.boundingRect(QRect(0, 0, width, 10000), Qt::TextWrapAnywhere, line);
            const int height = std::max(step, block.height() + step - metrics.height());
            if (draw)
                painter.drawText(QRect(0, y, width, height),
                                 Qt::TextWrapAnywhere | Qt::AlignLeft | Qt::AlignTop, line);
            y += height;
        }
        return y - (step - metrics.height());
    };
    int points = 12;
    while (points > 6 && layout(points, false) > image_.height() - kMessageMargin)
        --points;
    layout(points, true);
    painter.end();
    refresh();
}

void WidgetMessageImage::showPicture(const QImage& picture)
{
    image_.fill(Qt::white);
    {
        QPainter painter(&image_);
        painter.drawImage(0, 0, picture);
    }
    refresh();
}

WidgetStudyRecords::WidgetStudyRecords(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("pnlKiroku"));
    SetStudyBackground(this, QColor(240, 240, 240));
    lblKiroku = new QLabel(this);
    lblKiroku->setObjectName(QStringLiteral("lblKiroku"));
    memKiroku = new QPlainTextEdit(this);
    memKiroku->setObjectName(QStringLiteral("memKiroku"));
    memKiroku->setReadOnly(true);
    memKiroku->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed = StudyPointFont(kGothic, 9);
    fixed.setStyleHint(QFont::Monospace);
    fixed.setFixedPitch(true);
    memKiroku->setFont(fixed);
    imgMess = new WidgetMessageImage(QStringLiteral("imgMess"), this);
    // Clicking the face puts the lion cub in its place.
    imgMess->installEventFilter(this);
    lstRenshu = new QListWidget(this);
    lstRenshu->setObjectName(QStringLiteral("lstRenshu"));
    lstRenshu->hide();

    static const std::pair<Face, const char*> kFaceFiles[] = {
        {Face::Gaoh, "imgGaoh"},   {Face::Namida, "imgNamida"},
        {Face::Nanda, "imgNanda"}, {Face::Sleep, "imgSleep"},
        {Face::Happy, "imgHappy"}, {Face::GreenHeart, "imgGreenHeart"},
        {Face::Kutta, "imgKutta"}, {Face::RedHeart, "imgRedHeart"},
    };
    for (const auto& [face, file] : kFaceFiles)
        faces_.insert(face, QImage(QStringLiteral(":/study/") + QLatin1String(file) +
                                   QStringLiteral(".png")));
}

void WidgetStudyRecords::place(int memWidth, int messageTop)
{
    memKiroku->setGeometry(10, 40, memWidth, 250);
    lblKiroku->setGeometry(memKiroku->x(), 20, memWidth, 18);
    imgMess->setGeometry(memKiroku->x(), messageTop, memWidth, 250);
    imgMess->resetImage();
}

void WidgetStudyRecords::showRecords(const QStringList& lines, const QString& title)
{
    memKiroku->setPlainText(lines.join(u'\n'));
    lblKiroku->setText(title);
}

void WidgetStudyRecords::showRecordList(const RecordList& list)
{
    ShowRecordList(*lstRenshu, list);
}

void WidgetStudyRecords::showFace(Face face)
{
    imgMess->showPicture(faces_.value(face));
    imgMess->setProperty("face", int(face));
    show();
    imgMess->show();
}

void WidgetStudyRecords::showMessage(const QString& text, int points, QColor colour)
{
    imgMess->show();
    imgMess->writeLine(0, text, points, colour);
}

bool WidgetStudyRecords::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == imgMess && event->type() == QEvent::MouseButtonPress) {
        showFace(Face::Gaoh);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace zendra
