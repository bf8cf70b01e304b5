'''A stand-in for the systemd manager on a private bus, for the service-manager tests.

Units carry the properties the backend reads; StartUnit and StopUnit queue a job and move the
unit into activating or deactivating, and the test moves it on through the mock interface
(AddUnit, SetUnitState, FinishJobs, SetUnitProperties, SetServiceProperties,
Refuse, Delay).
'''

import time

import dbus
from dbusmock import MOCK_IFACE, mockobject

BUS_NAME = 'org.freedesktop.systemd1'
MAIN_OBJ = '/org/freedesktop/systemd1'
MAIN_IFACE = 'org.freedesktop.systemd1.Manager'
SYSTEM_BUS = True

UNIT_IFACE = 'org.freedesktop.systemd1.Unit'
SERVICE_IFACE = 'org.freedesktop.systemd1.Service'


def load(mock, _parameters):
    mock.unit_paths = {}
    mock.refusals = {}
    mock.delays = {}
    mock.next_job_id = 1
    mock.AddProperties(MAIN_IFACE, {'Version': 'v252'})


def job_ref(job_id):
    path = f'{MAIN_OBJ}/job/{job_id}' if job_id else '/'
    return dbus.Struct((dbus.UInt32(job_id), dbus.ObjectPath(path)), signature='uo')


def escaped_path(name):
    '''The object path of a unit, its name escaped as systemd does.'''
    label = ''.join(chr(b) if chr(b).isalnum() and chr(b).isascii() else f'_{b:02x}' for b in name.encode())
    return f'{MAIN_OBJ}/unit/{label}'


def add_unit(mock, name, description, required_by, bound_by, load_state):
    path = escaped_path(name)
    mock.unit_paths[name] = path
    mock.AddObject(path, UNIT_IFACE, {
        'Id': dbus.String(name),
        'Names': dbus.Array([name], signature='s'),
        'Description': dbus.String(description),
        'LoadState': dbus.String(load_state),
        'ActiveState': dbus.String('inactive'),
        'SubState': dbus.String('dead'),
        'Job': job_ref(0),
        'RequiredBy': dbus.Array(required_by, signature='s'),
        'BoundBy': dbus.Array(bound_by, signature='s'),
    }, [])
    if name.endswith('.service'):
        mockobject.objects[path].AddProperties(SERVICE_IFACE, {
            'TimeoutStartUSec': dbus.UInt64(90000000),
            'TimeoutStopUSec': dbus.UInt64(90000000),
            'ExecMainStatus': dbus.Int32(0),
        })


def set_properties(unit, interface, properties):
    '''Sets properties as they are; the mock's own UpdateProperties cannot take a struct.'''
    unit.props[interface].update(properties)


def unit_object(mock, name):
    if name not in mock.unit_paths or mockobject.objects[mock.unit_paths[name]].props[UNIT_IFACE]['LoadState'] == 'not-found':
        raise dbus.exceptions.DBusException(f'Unit {name} not loaded.', name='org.freedesktop.systemd1.NoSuchUnit')
    return mockobject.objects[mock.unit_paths[name]]


def answer(mock, method, name):
    '''Applies what the test asked for this method: a delay, then perhaps a refusal.'''
    time.sleep(mock.delays.get(method, 0))
    error = mock.refusals.get((method, name))
    if error:
        raise dbus.exceptions.DBusException(f'{method} {name} refused', name=error)


def queue_job(mock, name, active_state, sub_state):
    unit = unit_object(mock, name)
    job_id = mock.next_job_id
    mock.next_job_id += 1
    set_properties(unit, UNIT_IFACE, {'ActiveState': active_state, 'SubState': sub_state, 'Job': job_ref(job_id)})
    return dbus.ObjectPath(f'{MAIN_OBJ}/job/{job_id}')


@dbus.service.method(MAIN_IFACE, in_signature='s', out_signature='o')
def LoadUnit(self, name):
    answer(self, 'LoadUnit', name)
    if '.' not in name:
        raise dbus.exceptions.DBusException(f'Unit name {name} is not valid.',
                                            name='org.freedesktop.DBus.Error.InvalidArgs')
    if name not in self.unit_paths:
        add_unit(self, name, '', [], [], 'not-found')
    return dbus.ObjectPath(self.unit_paths[name])


@dbus.service.method(MAIN_IFACE, in_signature='ss', out_signature='o')
def StartUnit(self, name, _mode):
    answer(self, 'StartUnit', name)
    return queue_job(self, name, 'activating', 'start')


@dbus.service.method(MAIN_IFACE, in_signature='ss', out_signature='o')
def StopUnit(self, name, _mode):
    answer(self, 'StopUnit', name)
    return queue_job(self, name, 'deactivating', 'stop')


@dbus.service.method(MOCK_IFACE, in_signature='ssasas')
def AddUnit(self, name, description, required_by, bound_by):
    add_unit(self, name, description, required_by, bound_by, 'loaded')


@dbus.service.method(MOCK_IFACE, in_signature='sssu')
def SetUnitState(self, name, active_state, sub_state, job_id):
    set_properties(unit_object(self, name), UNIT_IFACE, {
        'ActiveState': dbus.String(active_state), 'SubState': dbus.String(sub_state), 'Job': job_ref(job_id)})


@dbus.service.method(MOCK_IFACE, in_signature='')
def FinishJobs(self):
    '''Every unit with a job reaches the state its job leads to.'''
    for path in self.unit_paths.values():
        props = mockobject.objects[path].props[UNIT_IFACE]
        if props['Job'][0] == 0:
            continue
        starting = props['ActiveState'] in ('activating', 'inactive', 'failed')
        set_properties(mockobject.objects[path], UNIT_IFACE, {
            'ActiveState': dbus.String('active' if starting else 'inactive'),
            'SubState': dbus.String('running' if starting else 'dead'), 'Job': job_ref(0)})


@dbus.service.method(MOCK_IFACE, in_signature='sa{sv}')
def SetUnitProperties(self, name, properties):
    set_properties(unit_object(self, name), UNIT_IFACE, properties)


@dbus.service.method(MOCK_IFACE, in_signature='sa{sv}')
def SetServiceProperties(self, name, properties):
    set_properties(unit_object(self, name), SERVICE_IFACE, properties)


@dbus.service.method(MOCK_IFACE, in_signature='sss')
def Refuse(self, method, name, error_name):
    self.refusals[(method, name)] = error_name


@dbus.service.method(MOCK_IFACE, in_signature='sd')
def Delay(self, method, seconds):
    self.delays[method] = seconds
