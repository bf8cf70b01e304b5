-- Adds @COUNT@ computers named @PREFIX@1, @PREFIX@2, ..., each running @SERVERS@ virtual
-- servers with @USERS@ accounts and the eight preference rows apiece. Set-based, and valid
-- on both engines; scripts/bench.sh fills in the words between at signs.

WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < @COUNT@)
INSERT INTO VirtualServerGroup (Name, CurrentSite)
SELECT '@PREFIX@' || i, '' FROM n;

WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < @SERVERS@)
INSERT INTO VirtualServers (VServerIPAddr, VServerDesc, VServerGroupID)
SELECT '10.' || g.ID || '.' || (n.i / 256) || '.' || (n.i % 256), g.Name || ' site ' || n.i, g.ID
FROM VirtualServerGroup g, n
WHERE g.Name LIKE '@PREFIX@%' AND n.i <= @SERVERS@;

WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < @USERS@)
INSERT INTO Users (UserName, Password, HomeDir, Permissions, VirtualServerID, Flag, DiskQuota)
SELECT 'user' || s.VServerID || '-' || n.i, 'e10adc3949ba59abbe56e057f20f883e',
       '/srv/ftp/' || s.VServerID || '/' || n.i, 31, s.VServerID, 0, 100
FROM VirtualServers s JOIN VirtualServerGroup g ON g.ID = s.VServerGroupID, n
WHERE g.Name LIKE '@PREFIX@%' AND n.i <= @USERS@;

WITH p(name, value) AS (VALUES ('FTP Port', '21'), ('Welcome Message', 'Welcome'),
  ('GoodBye Message', 'Goodbye'), ('Anonymous', '0'), ('Max Connections', '100'),
  ('Max Connections Per IP', '10'), ('Max Connections Per User', '5'), ('Connection Timeout', '300'))
INSERT INTO Preferences (Description, Settings, VirtualServerID)
SELECT p.name, p.value, s.VServerID
FROM VirtualServers s JOIN VirtualServerGroup g ON g.ID = s.VServerGroupID, p
WHERE g.Name LIKE '@PREFIX@%';
