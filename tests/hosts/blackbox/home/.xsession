dockorrery &
exec blackbox
