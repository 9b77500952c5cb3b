#include "RingtoneList.h"

#include <commctrl.h>

#include "MainWindow.h"
#include "ResourceIds.h"
#include "RingtoneService.h"
#include "TextConversion.h"

namespace {

// Past every item there is: the list keeps the phone's order.
constexpr int kAppendIndex = 1000;

} // namespace

void AttachRingtoneIcons(HWND list, HINSTANCE module)
{
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR8 | ILC_MASK, 1, 1);
    HICON icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDI_RINGTONE), IMAGE_ICON, 16, 16, LR_SHARED));
    if (images && icon)
        ImageList_AddIcon(images, icon);
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

void InsertRingtoneItem(HWND list, const char *text, uint16_t location)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = kAppendIndex;
    item.pszText = const_cast<char *>(text);
    item.iImage = 0;
    item.lParam = location;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

bool SelectedRingtone(HWND list, uint16_t &location)
{
    LRESULT index = SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (index < 0)
        return false;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = static_cast<int>(index);
    item.iSubItem = 0;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return false;
    location = static_cast<uint16_t>(item.lParam & 0xFFFF);
    return true;
}

int MainWindow::RefreshRingtoneList(HWND list, ListingKind kind)
{
    int scroll = GetScrollPos(list, SB_HORZ);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    ComPtr<ITWMsgStream> stream = messageStream;
    if (!stream)
        return -1;
    RingtoneListing listing;
    int count = ListRingtones(stream.Get(), window_, kind, listing);
    if (count < 0)
        return count;
    for (Ringtone entry; listing.Next(entry);) {
        HeapArray<char> name = ToAnsi(entry.name.Get(), static_cast<int>(entry.name.Size()));
        InsertRingtoneItem(list, name.Get(), entry.location);
    }
    SendMessageA(list, LVM_SCROLL, static_cast<WPARAM>(scroll), 0);
    return count;
}
