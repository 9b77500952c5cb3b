// "&Get tone from phone...": saves the selected ringtone to a file.
#pragma once

class MainWindow;

void OnGetTone(MainWindow &window);
