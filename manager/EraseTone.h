// "&Erase tone...": erases the selected ringtone after asking.
#pragma once

class MainWindow;

void OnEraseTone(MainWindow &window);
