#pragma once
// The Virtual Servers page: a computer's virtual servers.

#include "ui/FTPSheetPage.h"

class CSitePage : public CFTPSheetPage {
public:
  CSitePage();
};
