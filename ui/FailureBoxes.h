#pragma once
// The model's failures as the sheet shows them: while a FailureBoxes lives, every failure the
// model reports (db/FailureReport.h) that is not quiet becomes a message box with no owner.
// A refusal is captioned "Information", an unexpected error is the framework's own report
// (the application's name, OK alone), and every other failure is captioned "Error!!"; all but
// the unexpected error carry the information icon.

#include "db/FailureReport.h"

class FailureBoxes {
 public:
  FailureBoxes();
  ~FailureBoxes();
  FailureBoxes(const FailureBoxes&) = delete;
  FailureBoxes& operator=(const FailureBoxes&) = delete;

 private:
  FailureSink m_previous;
};
