// Shows the part of the help page that fits why it was opened. The screen
// calls onZBarHelp({reason: "..."}) once the page has loaded: "INFO" when the
// user asked for help, any other reason when a scan went wrong.
function onZBarHelp(args) {
    var reason = (args && typeof args.reason === "string") ? args.reason : "INFO";
    var marker = document.getElementById("reason");
    if (marker) {
        marker.textContent = reason;
    }
    var problem = document.getElementById("problem");
    if (problem) {
        problem.className = (reason === "INFO") ? "hidden" : "";
    }
    document.title = (reason === "INFO") ? "Scanning help" : "Scanning problem";
    return reason;
}
