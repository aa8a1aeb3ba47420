#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace zembra {

class CKelpDoc;
class CKelpView;
class CMainFrame;
class RecoveryFolder;
class RecoveryKeeper;

// The application object: settings location, the one document, frame and view, start-up.
class KelpApp {
public:
    KelpApp();
    ~KelpApp();

    // Starts the program with the command-line arguments (without the program name). Returns
    // false when the program cannot start.
    bool InitInstance(const QStringList& arguments);

    CKelpDoc* document() const { return m_doc.get(); }
    CKelpView* view() const { return m_view; }
    CMainFrame* frame() const { return m_frame.get(); }
    const QString& commandLineFile() const { return m_commandLineFile; }
    RecoveryKeeper* recoveryKeeper() const { return m_keeper.get(); }

private:
    std::unique_ptr<CKelpDoc> m_doc;
    CKelpView* m_view = nullptr;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<RecoveryFolder> m_recovery;
    std::unique_ptr<RecoveryKeeper> m_keeper;
    QString m_commandLineFile;
};

} // namespace zembra
