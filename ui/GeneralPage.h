#pragma once
// The General page: the computer and virtual server on show, their preferences and the FTP service.

#include "ui/FTPSheetPage.h"

class CGeneralPage : public CFTPSheetPage {
public:
  CGeneralPage();
};
