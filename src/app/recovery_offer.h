#pragma once

class QWidget;

namespace zembra {

class CKelpDoc;
class CKelpView;
class RecoveryFolder;
class RecoveryKeeper;

// At start-up, offers the songs that programs ending without closing have left, newest first,
// until one is restored; a song the user declines is deleted. The restored song opens as it was
// saved, unsaved, and belongs to the file it was kept from; `keeper` keeps it again before the
// copy left behind is removed. True when a song was restored.
bool OfferRecovery(RecoveryFolder& folder, RecoveryKeeper& keeper, CKelpDoc& doc, CKelpView& view, QWidget* parent);

} // namespace zembra
