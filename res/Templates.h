#pragma once
// One function per dialog template, each defined in its own TemplateNNN.cpp.

#include "res/DialogTemplate.h"

namespace res {

const DialogTemplate& Template129();   // General page
const DialogTemplate& Template132();   // About page
const DialogTemplate& Template134();   // Add User
const DialogTemplate& Template2002();  // Users page
const DialogTemplate& Template7013();  // Add Virtual Server
const DialogTemplate& Template7015();  // Add Computer
const DialogTemplate& Template7016();  // Virtual Servers page
const DialogTemplate& Template7017();  // Edit Preferences
const DialogTemplate& Template7019();  // Log In
const DialogTemplate& Template7020();  // Change Password

}  // namespace res
