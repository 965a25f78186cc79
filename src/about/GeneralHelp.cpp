#include "about/GeneralHelp.h"

#include "extract/Product.h"
#include "framework/MessageBox.h"

namespace linkrake {

std::string GeneralHelpText() {
  std::string text;
  text += "To extract links from a web page you have two options.\n--- Option 1 ---\n"
          "Save the page to a file.\nClick on File, Open... to open the saved file.\n";
  text += "To make sure that even the relative URL's on the page\n"
          " appear in the list you may want to fill in the base address of the page.\n";
  text += "--- Option 2 ---\nClick on HTML, Open URL... and type the address of the desired URL\n(i.e. ";
  text += kMakerSite;
  text += ")\nor select a previous entered URL from the dropdown list.\n";
  text += "\nLinks can be made in several ways. Choose the desired search option.\n"
          "<a href=\"...\"> searches for all links beginning with <a href=\"...\">\n"
          "http:// searches for all links beginning with http://\n"
          "ftp:// searches for all links beginning with ftp://\n"
          "All searches all kinds of links.\n";
  text += "\nRemove duplicates removes all duplicate links in the list while searching.\n"
          "Remove lines that contain removes all links that contain specific words while searching.\n";
  // The search button is named by its caption, "Linkrake".
  text += "\nClick on Linkrake to start the search.\n"
          "When done you can save the results to a text or HTML file.\n"
          "With the Generate GetRight download list option you can generate \n"
          "a download list that can be imported with GetRight (a download manager).";
  return text;
}

void ShowGeneralHelp() { AfxMessageBox(GeneralHelpText(), MB_OK | MB_ICONINFORMATION); }

}  // namespace linkrake
