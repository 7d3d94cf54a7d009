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
    <name>DefinitionError</name>
    <message>
        <source>Definition file %1 not found</source>
        <translation>Definition file %1 not found</translation>
    </message>
    <message>
        <source>Definition file %1 cannot be opened</source>
        <translation>Definition file %1 cannot be opened</translation>
    </message>
    <message>
        <source>Definition file %1 is damaged: %2 (line %3, column %4)</source>
        <translation>Definition file %1 is damaged: %2 (line %3, column %4)</translation>
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
        <source>The drive does not answer</source>
        <translation>The drive does not answer</translation>
    </message>
</context>
<context>
    <name>QXml</name>
    <message>
        <source>error triggered by consumer</source>
        <translation>error triggered by consumer</translation>
    </message>
    <message>
        <source>unexpected end of file</source>
        <translation>unexpected end of file</translation>
    </message>
    <message>
        <source>more than one document type definition</source>
        <translation>more than one document type definition</translation>
    </message>
    <message>
        <source>error occurred while parsing element</source>
        <translation>error occurred while parsing element</translation>
    </message>
    <message>
        <source>tag mismatch</source>
        <translation>tag mismatch</translation>
    </message>
    <message>
        <source>error occurred while parsing content</source>
        <translation>error occurred while parsing content</translation>
    </message>
    <message>
        <source>unexpected character</source>
        <translation>unexpected character</translation>
    </message>
    <message>
        <source>invalid name for processing instruction</source>
        <translation>invalid name for processing instruction</translation>
    </message>
    <message>
        <source>version expected while reading the XML declaration</source>
        <translation>version expected while reading the XML declaration</translation>
    </message>
    <message>
        <source>wrong value for standalone declaration</source>
        <translation>wrong value for standalone declaration</translation>
    </message>
    <message>
        <source>encoding declaration or standalone declaration expected while reading the XML declaration</source>
        <translation>encoding declaration or standalone declaration expected while reading the XML declaration</translation>
    </message>
    <message>
        <source>standalone declaration expected while reading the XML declaration</source>
        <translation>standalone declaration expected while reading the XML declaration</translation>
    </message>
    <message>
        <source>error occurred while parsing document type definition</source>
        <translation>error occurred while parsing document type definition</translation>
    </message>
    <message>
        <source>letter is expected</source>
        <translation>letter is expected</translation>
    </message>
    <message>
        <source>error occurred while parsing comment</source>
        <translation>error occurred while parsing comment</translation>
    </message>
    <message>
        <source>error occurred while parsing reference</source>
        <translation>error occurred while parsing reference</translation>
    </message>
    <message>
        <source>internal general entity reference not allowed in DTD</source>
        <translation>internal general entity reference not allowed in DTD</translation>
    </message>
    <message>
        <source>external parsed general entity reference not allowed in attribute value</source>
        <translation>external parsed general entity reference not allowed in attribute value</translation>
    </message>
    <message>
        <source>external parsed general entity reference not allowed in DTD</source>
        <translation>external parsed general entity reference not allowed in DTD</translation>
    </message>
    <message>
        <source>unparsed entity reference in wrong context</source>
        <translation>unparsed entity reference in wrong context</translation>
    </message>
    <message>
        <source>recursive entities</source>
        <translation>recursive entities</translation>
    </message>
    <message>
        <source>error in the text declaration of an external entity</source>
        <translation>error in the text declaration of an external entity</translation>
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
