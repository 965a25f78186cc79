// Linkrake: pulls the links out of a web page, saved or downloaded.
#include <QApplication>

#include "app/CExtractApp.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  linkrake::CExtractApp theApp;
  return theApp.Run();
}
