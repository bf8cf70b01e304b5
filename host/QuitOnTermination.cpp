#include "host/QuitOnTermination.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include "platform/TerminationSignals.h"

void QuitOnTermination(QCoreApplication& application) {
  const int descriptor = TerminationDescriptor();
  if (descriptor < 0) return;
  auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, &application);
  QObject::connect(notifier, &QSocketNotifier::activated, &application, [notifier] {
    notifier->setEnabled(false);  // the descriptor stays readable
    // exit, not quit: it also ends the modal loops that run without the application's own
    // loop (the applet opened at once), and keeps any later one from starting.
    QCoreApplication::exit(0);
  });
}
