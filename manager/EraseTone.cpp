#include "EraseTone.h"

#include "CommandMessage.h"
#include "MainWindow.h"
#include "RingtoneList.h"
#include "RingtoneService.h"

void OnEraseTone(MainWindow &window)
{
    HWND owner = window.Window();
    uint16_t location = 0;
    if (!SelectedRingtone(window.RingtoneList(), location))
        return;
    if (MessageBoxA(owner, "Are you sure you wish to erase this ringtone?", "", MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    if (FAILED(EraseRingtone(window.MessageStream().Get(), location))) {
        ShowCommandMessage(owner, "Error erasing ringtone");
        return;
    }
    window.RefreshRingtoneList(window.RingtoneList(), MainListing);
    ShowCommandMessage(owner, "Ringtone erased");
}
