#include "song/kelp_doc.h"

#include "app/string_ids.h"
#include "app/strings.h"
#include "canvas/kelp_view.h"

namespace zembra {

CKelpDoc::CKelpDoc(QObject* parent)
    : QObject(parent)
{
}

void CKelpDoc::NewSong()
{
    if (m_view) {
        m_view->ResetSong();
        m_view->UpdateScrollSizes();
    }
    m_strFilePath.clear();
    const std::string_view untitled = text(str::kUntitled);
    m_strFileTitle = QString::fromUtf8(untitled.data(), static_cast<qsizetype>(untitled.size()));
    emit titleChanged(m_strFileTitle);
}

} // namespace zembra
