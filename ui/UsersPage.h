#pragma once
// The Users page: the FTP accounts of a computer or virtual server.

#include "ui/FTPSheetPage.h"

class CUsersPage : public CFTPSheetPage {
public:
  CUsersPage();
};
