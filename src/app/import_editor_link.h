#pragma once

namespace zembra {

class CKelpDoc;
class CKelpView;

// Gives the view's import settings the import edit dialog, which works on the document's
// tracks and plays through the view's port: only the shell knows all three.
void LinkImportEditor(CKelpDoc& doc, CKelpView& view);

} // namespace zembra
