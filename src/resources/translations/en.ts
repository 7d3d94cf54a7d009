<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>BusMonitorModel</name>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Function</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Values</source>
        <translation>Values</translation>
    </message>
    <message>
        <source>Latency (ms)</source>
        <translation>Latency (ms)</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Outcome</translation>
    </message>
    <message>
        <source>Request bytes</source>
        <translation>Request bytes</translation>
    </message>
    <message>
        <source>Reply bytes</source>
        <translation>Reply bytes</translation>
    </message>
    <message>
        <source>Illegal function</source>
        <translation>Illegal function</translation>
    </message>
    <message>
        <source>Illegal data address</source>
        <translation>Illegal data address</translation>
    </message>
    <message>
        <source>Illegal data value</source>
        <translation>Illegal data value</translation>
    </message>
    <message>
        <source>Server device failure</source>
        <translation>Server device failure</translation>
    </message>
    <message>
        <source>Acknowledge</source>
        <translation>Acknowledge</translation>
    </message>
    <message>
        <source>Server device busy</source>
        <translation>Server device busy</translation>
    </message>
    <message>
        <source>Memory parity error</source>
        <translation>Memory parity error</translation>
    </message>
    <message>
        <source>Gateway path unavailable</source>
        <translation>Gateway path unavailable</translation>
    </message>
    <message>
        <source>Gateway target device failed to respond</source>
        <translation>Gateway target device failed to respond</translation>
    </message>
    <message>
        <source>Unknown exception</source>
        <translation>Unknown exception</translation>
    </message>
    <message>
        <source>Read holding registers</source>
        <translation>Read holding registers</translation>
    </message>
    <message>
        <source>Write single register</source>
        <translation>Write single register</translation>
    </message>
    <message>
        <source>Write multiple registers</source>
        <translation>Write multiple registers</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>timeout</source>
        <translation>timeout</translation>
    </message>
    <message>
        <source>exception</source>
        <translation>exception</translation>
    </message>
    <message>
        <source>CRC error</source>
        <translation>CRC error</translation>
    </message>
    <message>
        <source>link error</source>
        <translation>link error</translation>
    </message>
    <message>
        <source>(connection test)</source>
        <translation>(connection test)</translation>
    </message>
</context>
<context>
    <name>BusMonitorWidget</name>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Save the transactions in the list to a CSV file</source>
        <translation>Save the transactions in the list to a CSV file</translation>
    </message>
    <message>
        <source>Save as…</source>
        <translation>Save as…</translation>
    </message>
    <message>
        <source>Raw bytes</source>
        <translation>Raw bytes</translation>
    </message>
    <message>
        <source>Filter by tag or address</source>
        <translation>Filter by tag or address</translation>
    </message>
    <message>
        <source>Requests: %1</source>
        <translation>Requests: %1</translation>
    </message>
    <message>
        <source>Failures: %1 (timeout %2, exception %3, CRC %4, link %5)</source>
        <translation>Failures: %1 (timeout %2, exception %3, CRC %4, link %5)</translation>
    </message>
    <message>
        <source>%1 transactions/s</source>
        <translation>%1 transactions/s</translation>
    </message>
    <message>
        <source>Latency: mean %1 ms, worst %2 ms</source>
        <translation>Latency: mean %1 ms, worst %2 ms</translation>
    </message>
    <message>
        <source>Scope samples: %1</source>
        <translation>Scope samples: %1</translation>
    </message>
    <message>
        <source>%1 transactions wait for Resume</source>
        <translation>%1 transactions wait for Resume</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;Text files (*.txt)</source>
        <translation>CSV files (*.csv);;Text files (*.txt)</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>The bus monitor log could not be written</source>
        <translation>The bus monitor log could not be written</translation>
    </message>
    <message>
        <source>Bus monitor log saved</source>
        <translation>Bus monitor log saved</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>Soft reset</source>
        <translation>Soft reset</translation>
    </message>
    <message>
        <source>Do you wish to continue?</source>
        <translation>Do you wish to continue?</translation>
    </message>
    <message>
        <source>The device will be disconnected after restoring the factory parameters</source>
        <translation>The device will be disconnected after restoring the factory parameters</translation>
    </message>
    <message>
        <source>Restore Factory Parameters</source>
        <translation>Restore Factory Parameters</translation>
    </message>
    <message>
        <source>Restore factory parameters</source>
        <translation>Restore factory parameters</translation>
    </message>
    <message>
        <source>Please wait</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>The operation is completed, Please reconnect the device</source>
        <translation>The operation is completed, Please reconnect the device</translation>
    </message>
</context>
<context>
    <name>GUI_About</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
</context>
<context>
    <name>GUI_Communication</name>
    <message>
        <source>Device Version</source>
        <translation>Device Version</translation>
    </message>
    <message>
        <source>Communication</source>
        <translation>Communication</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>Baudrate</translation>
    </message>
    <message>
        <source>Databits</source>
        <translation>Databits</translation>
    </message>
    <message>
        <source>Stopbits</source>
        <translation>Stopbits</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>Slave Addr</source>
        <translation>Slave Addr</translation>
    </message>
    <message>
        <source>Connect or disconnect to the device</source>
        <translation>Connect or disconnect to the device</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>In the initialization</source>
        <translation>In the initialization</translation>
    </message>
    <message>
        <source>Please select a serial port to connect</source>
        <translation>Please select a serial port to connect</translation>
    </message>
    <message>
        <source>Cannot open serial device due to permissions</source>
        <translation>Cannot open serial device due to permissions</translation>
    </message>
    <message>
        <source>Serial device access failed</source>
        <translation>Serial device access failed</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>Loading</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>The communication connection was successful, the current device ID is</source>
        <translation>The communication connection was successful, the current device ID is</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>The communication exit was successful</source>
        <translation>The communication exit was successful</translation>
    </message>
    <message>
        <source>Closing</source>
        <translation>Closing</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>Waiting</translation>
    </message>
    <message>
        <source>Communication connection failed</source>
        <translation>Communication connection failed</translation>
    </message>
    <message>
        <source>Connection failed, please check the device connection or configuration</source>
        <translation>Connection failed, please check the device connection or configuration</translation>
    </message>
</context>
<context>
    <name>GUI_ParamTable</name>
    <message>
        <source>Parameter import</source>
        <translation>Parameter import</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Parameter export</source>
        <translation>Parameter export</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Restore factory parameters</source>
        <translation>Restore factory parameters</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>Apply </source>
        <translation>Apply </translation>
    </message>
    <message>
        <source>Refresh </source>
        <translation>Refresh </translation>
    </message>
    <message>
        <source>Parameter compare</source>
        <translation>Parameter compare</translation>
    </message>
    <message>
        <source>Search for</source>
        <translation>Search for</translation>
    </message>
    <message>
        <source>Administrator mode</source>
        <translation>Administrator mode</translation>
    </message>
    <message>
        <source>Read only</source>
        <translation>Read only</translation>
    </message>
    <message>
        <source>Operation failed</source>
        <translation>Operation failed</translation>
    </message>
    <message>
        <source>Inconsistent with factory value</source>
        <translation>Inconsistent with factory value</translation>
    </message>
    <message>
        <source>Realtime refresh</source>
        <translation>Realtime refresh</translation>
    </message>
    <message>
        <source>The setting value is inconsistent with the current value</source>
        <translation>The setting value is inconsistent with the current value</translation>
    </message>
    <message>
        <source>The setting value is inconsistent with the factory value</source>
        <translation>The setting value is inconsistent with the factory value</translation>
    </message>
    <message>
        <source>The current value is inconsistent with the factory value</source>
        <translation>The current value is inconsistent with the factory value</translation>
    </message>
    <message>
        <source>Displays the check parameters</source>
        <translation>Displays the check parameters</translation>
    </message>
    <message>
        <source>Filter failed items</source>
        <translation>Filter failed items</translation>
    </message>
    <message>
        <source>Write only the checked option</source>
        <translation>Write only the checked option</translation>
    </message>
    <message>
        <source>Write the current page</source>
        <translation>Write the current page</translation>
    </message>
    <message>
        <source>Read only the checked option</source>
        <translation>Read only the checked option</translation>
    </message>
    <message>
        <source>Read the current page</source>
        <translation>Read the current page</translation>
    </message>
    <message>
        <source>Read all pages</source>
        <translation>Read all pages</translation>
    </message>
    <message>
        <source>Parameter group</source>
        <translation>Parameter group</translation>
    </message>
    <message>
        <source>System parameters</source>
        <translation>System parameters</translation>
    </message>
    <message>
        <source>All</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Downtime modification</source>
        <translation>Downtime modification</translation>
    </message>
    <message>
        <source>Any modification</source>
        <translation>Any modification</translation>
    </message>
    <message>
        <source>Effective immediately</source>
        <translation>Effective immediately</translation>
    </message>
    <message>
        <source>Effective after restart</source>
        <translation>Effective after restart</translation>
    </message>
    <message>
        <source>Parameter write, number of parameters</source>
        <translation>Parameter write, number of parameters</translation>
    </message>
    <message>
        <source>Parameter uploading</source>
        <translation>Parameter uploading</translation>
    </message>
    <message>
        <source>Parameter read, number of parameters</source>
        <translation>Parameter read, number of parameters</translation>
    </message>
    <message>
        <source>Parameter loading</source>
        <translation>Parameter loading</translation>
    </message>
    <message>
        <source>Please wait</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>The operation is complete</source>
        <translation>The operation is complete</translation>
    </message>
    <message>
        <source>Export File</source>
        <translation>Export File</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Export failed</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>Import File</translation>
    </message>
    <message>
        <source>Import failed</source>
        <translation>Import failed</translation>
    </message>
    <message>
        <source>Import failed, the file does not match</source>
        <translation>Import failed, the file does not match</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>The parameters are imported, Do you wish to perform the write?</source>
        <translation>The parameters are imported, Do you wish to perform the write?</translation>
    </message>
    <message>
        <source>Parameters import, number of parameters</source>
        <translation>Parameters import, number of parameters</translation>
    </message>
    <message>
        <source>Parameters are importing</source>
        <translation>Parameters are importing</translation>
    </message>
    <message>
        <source>Administrator</source>
        <translation>Administrator</translation>
    </message>
    <message>
        <source>Permission password</source>
        <translation>Permission password</translation>
    </message>
    <message>
        <source>The password is incorrect</source>
        <translation>The password is incorrect</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Communication</source>
        <translation>Communication</translation>
    </message>
    <message>
        <source>Scope</source>
        <translation>Scope</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Motion</translation>
    </message>
    <message>
        <source>I/O</source>
        <translation>I/O</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>Control Panel</source>
        <translation>Control Panel</translation>
    </message>
    <message>
        <source>Faults Panel</source>
        <translation>Faults Panel</translation>
    </message>
    <message>
        <source>Parameter Table</source>
        <translation>Parameter Table</translation>
    </message>
    <message>
        <source>ToolBar</source>
        <translation>ToolBar</translation>
    </message>
    <message>
        <source>Servo family</source>
        <translation>Servo family</translation>
    </message>
    <message>
        <source>VFD family</source>
        <translation>VFD family</translation>
    </message>
    <message>
        <source>Sofe reset</source>
        <translation>Sofe reset</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Restore factory parameters</source>
        <translation>Restore factory parameters</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>Connect or disconnect to the device</source>
        <translation>Connect or disconnect to the device</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>Disable</translation>
    </message>
    <message>
        <source>Enabling or disabled the current device</source>
        <translation>Enabling or disabled the current device</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>View</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Workspace</source>
        <translation>Workspace</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Console</source>
        <translation>Console</translation>
    </message>
    <message>
        <source>GUI initialization successful</source>
        <translation>GUI initialization successful</translation>
    </message>
    <message>
        <source>The application will change the drive family, and then restart.</source>
        <translation>The application will change the drive family, and then restart.</translation>
    </message>
    <message>
        <source>Do you wish to continue?</source>
        <translation>Do you wish to continue?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>The current language has changed and takes effect after the restart.</source>
        <translation>The current language has changed and takes effect after the restart.</translation>
    </message>
    <message>
        <source>Do you wish to restart it now?</source>
        <translation>Do you wish to restart it now?</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>No communication with the drive(Off Line)</source>
        <translation>No communication with the drive(Off Line)</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>Bus monitor</source>
        <translation>Bus monitor</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>The startup files seem to be missing</source>
        <translation>The startup files seem to be missing</translation>
    </message>
    <message>
        <source>Communication exception, number of retries</source>
        <translation>Communication exception, number of retries</translation>
    </message>
    <message>
        <source>Recovery failed</source>
        <translation>Recovery failed</translation>
    </message>
</context>
<context>
    <name>RMessageBox</name>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
</context>
<context>
    <name>WidgetBase</name>
    <message>
        <source>No communication with the drive(Off Line)</source>
        <translation>No communication with the drive(Off Line)</translation>
    </message>
</context>
</TS>
