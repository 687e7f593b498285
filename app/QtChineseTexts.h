#pragma once

class QCoreApplication;

// Qt's own texts (the buttons of its dialogs: 确定, 取消, 是, 否 …) in Chinese, like the rest of
// the window, where Qt's Chinese translation is installed; elsewhere they stay in English.
void installQtChineseTexts(QCoreApplication &app);
