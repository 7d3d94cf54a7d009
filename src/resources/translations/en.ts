<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
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
    <name>GUI_Scope</name>
    <message>
        <source>Continuous collection</source>
        <translation>Continuous collection</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Adaptive XY axis</source>
        <translation>Adaptive XY axis</translation>
    </message>
    <message>
        <source>Select zoom (Left button)</source>
        <translation>Select zoom (Left button)</translation>
    </message>
    <message>
        <source>Drag (Middle button)</source>
        <translation>Drag (Middle button)</translation>
    </message>
    <message>
        <source>Zoom (Mouse wheel)</source>
        <translation>Zoom (Mouse wheel)</translation>
    </message>
    <message>
        <source>Show legend</source>
        <translation>Show legend</translation>
    </message>
    <message>
        <source>Cursor tracking</source>
        <translation>Cursor tracking</translation>
    </message>
    <message>
        <source>Nonius measurement</source>
        <translation>Nonius measurement</translation>
    </message>
    <message>
        <source>Clear Graphs</source>
        <translation>Clear Graphs</translation>
    </message>
    <message>
        <source>Screenshot</source>
        <translation>Screenshot</translation>
    </message>
    <message>
        <source>Import curves</source>
        <translation>Import curves</translation>
    </message>
    <message>
        <source>Emport curves</source>
        <translation>Emport curves</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Charts</source>
        <translation>Charts</translation>
    </message>
    <message>
        <source>Record Variables</source>
        <translation>Record Variables</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>Select Color</translation>
    </message>
    <message>
        <source>Please select the object to observe first</source>
        <translation>Please select the object to observe first</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>The collection quantity exceeds the upper limit</source>
        <translation>The collection quantity exceeds the upper limit</translation>
    </message>
    <message>
        <source>Import failed</source>
        <translation>Import failed</translation>
    </message>
    <message>
        <source>Export curves</source>
        <translation>Export curves</translation>
    </message>
    <message>
        <source>Export successful</source>
        <translation>Export successful</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Export failed</translation>
    </message>
    <message>
        <source>Screenshot saving failed</source>
        <translation>Screenshot saving failed</translation>
    </message>
    <message>
        <source>The screenshot is saved successfully</source>
        <translation>The screenshot is saved successfully</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Open file</translation>
    </message>
</context>
<context>
    <name>GUI_ScopeNonius</name>
    <message>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Lock the distance between line A and line B</source>
        <translation>Lock the distance between line A and line B</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>B-A</source>
        <translation>B-A</translation>
    </message>
    <message>
        <source>Nonius measurement</source>
        <translation>Nonius measurement</translation>
    </message>
</context>
<context>
    <name>GUI_ScopeSetting</name>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Nonius tracking</source>
        <translation>Nonius tracking</translation>
    </message>
    <message>
        <source>Cursor style:</source>
        <translation>Cursor style:</translation>
    </message>
    <message>
        <source>Cursor size:</source>
        <translation>Cursor size:</translation>
    </message>
    <message>
        <source>Interpolation:</source>
        <translation>Interpolation:</translation>
    </message>
    <message>
        <source>Sets whether the value of the graph's data points shall be interpolated, when positioning the tracer.</source>
        <translation>Sets whether the value of the graph's data points shall be interpolated, when positioning the tracer.</translation>
    </message>
    <message>
        <source>Use linear interpolation</source>
        <translation>Use linear interpolation</translation>
    </message>
    <message>
        <source>Nonius measurement</source>
        <translation>Nonius measurement</translation>
    </message>
    <message>
        <source>Line size:</source>
        <translation>Line size:</translation>
    </message>
    <message>
        <source>Line A color:</source>
        <translation>Line A color:</translation>
    </message>
    <message>
        <source>Line B color:</source>
        <translation>Line B color:</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Plus</source>
        <translation>Plus</translation>
    </message>
    <message>
        <source>Crosshair</source>
        <translation>Crosshair</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>Square</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>Select Color</translation>
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
    <message>
        <source>Adaptive X axis</source>
        <translation>Adaptive X axis</translation>
    </message>
    <message>
        <source>Adaptive Y axis</source>
        <translation>Adaptive Y axis</translation>
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
    <name>Screen</name>
    <message>
        <source>截图范围：( %1 x %2 ) - ( %3 x %4 )  图片大小：( %5 x %6 )</source>
        <translation>截图范围：( %1 x %2 ) - ( %3 x %4 )  图片大小：( %5 x %6 )</translation>
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
