// "&Write tone to phone...": writes a file into the phone as a ringtone.
#pragma once

class MainWindow;

void OnWriteTone(MainWindow &window);
