#pragma once

#include "courseware/QuestionGenerator.h"

#include <QDialog>
#include <QList>

#include <functional>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace zendra {

// 類題を自動作成: the teacher picks how many sets and the seed, sees the sets and the lines
// that stay as they are, and saves what is shown. Enter saves, Escape cancels.
class TfrmAutoRuidai : public QDialog
{
    Q_OBJECT

public:
    // Saves the sets shown; false keeps the window open (the teacher kept the old sets, or
    // the save failed after its message).
    using SaveSets = std::function<bool(quint64 seed, const QList<GeneratedSet>& sets)>;

    // `generator` reads the unit's question lines and must outlive the window; `unit` names
    // the headers the preview shows.
    TfrmAutoRuidai(const QuestionGenerator& generator, int unit, quint64 seed, SaveSets save,
                   QWidget* parent = nullptr);

    quint64 seed() const { return seed_; }
    const QList<GeneratedSet>& sets() const { return sets_; }

private:
    void btnOkClick();
    void btnNewSeedClick();
    // Generates the sets for the count and seed shown and lays them out.
    void showSets();

    const QuestionGenerator& generator_;
    int unit_ = 0;
    SaveSets save_;
    quint64 seed_ = 0;
    QList<GeneratedSet> sets_;

    QSpinBox* spnCount_ = nullptr;
    QLineEdit* edtSeed_ = nullptr;
    QPlainTextEdit* memSets_ = nullptr;
    QListWidget* lstKept_ = nullptr;
    QPushButton* btnOk_ = nullptr;
};

} // namespace zendra
