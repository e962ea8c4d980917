// The help window: our HTML help pages shown in a browser window of the program.
#pragma once

#include <QString>

class QWidget;

// Shows the topic (an HTML file of the help folder) in the help window, maximised; the window is
// made once and reused.
void ShowHelp(QWidget* owner, const QString& topicPath);
