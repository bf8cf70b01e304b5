#pragma once
// The folders the package makes for the group veltrane: /var/lib/veltrane, root:veltrane
// 3770 (the sticky bit keeps one member from replacing what another, or root, made there),
// and the registry store in it, root:veltrane 2770. debian/veltrane-applet.postinst makes
// and checks the same.

// When the registry store is the installed one, writes to standard error each of the two
// folders whose owner, group or mode differ, with the commands that repair it.
void ReportInstalledFolders();
