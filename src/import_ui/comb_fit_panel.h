#pragma once

#include "import/import_options.h"
#include "import/comb_fit.h"

#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QPushButton;
class QTableWidget;

namespace zembra {

// The import settings' fit of a file to the comb: a button that ranks every transposition, a
// compact table of what each one makes of the file (best first), and the two import options.
// Choosing a row chooses its transposition.
class CombFitPanel : public QWidget {
    Q_OBJECT

public:
    // Ranks the transpositions under the options; the caller adds the grid its dialog shows.
    using Ranker = std::function<std::vector<FitRow>(const ImportOptions& options)>;

    CombFitPanel(Ranker ranker, const FileKey& key, const ImportOptions& options, QWidget* parent = nullptr);

    ImportOptions options() const;
    const std::vector<FitRow>& rows() const { return m_rows; }
    // The figures no longer hold (the options, the grid or the tracks changed): a table that was
    // filled is ranked again at once, the row of `transposition` marked and nothing chosen; an
    // empty one stays empty until asked.
    void Refresh(int transposition);
    // The tracks carry the editor's marks, which were written without the drums or with them:
    // the choice stays as it is.
    void LockDrums();

    // Ranks, fills the table and chooses the best row.
    void Fit();

signals:
    void transpositionChosen(int transposition);
    // The caller refreshes the table once it has counted again.
    void optionsChanged();

private:
    void Fill();
    void RowChosen();

    Ranker m_ranker;
    FileKey m_key;
    std::vector<FitRow> m_rows;
    QPushButton* m_fit = nullptr;
    QCheckBox* m_fold = nullptr;
    QCheckBox* m_drums = nullptr;
    QTableWidget* m_table = nullptr;
};

} // namespace zembra
