#pragma once

#include <QObject>
#include <QString>

namespace zembra {

class CKelpView;

// The single document: the identity of the current file. The song itself lives in the view.
class CKelpDoc : public QObject {
    Q_OBJECT

public:
    explicit CKelpDoc(QObject* parent = nullptr);

    void setView(CKelpView* view) { m_view = view; }
    CKelpView* view() const { return m_view; }

    QString title() const { return m_strFileTitle; }
    QString filePath() const { return m_strFilePath; }

    // File New: a new, unnamed song.
    void NewSong();

signals:
    void titleChanged(const QString& title);

private:
    CKelpView* m_view = nullptr;
    QString m_strFilePath;
    QString m_strFileTitle;
};

} // namespace zembra
