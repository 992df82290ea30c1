// Shared by the Harbour Lights sites: switches between tab panels marked with data-tab.
function showTab(name) {
  var panels = document.querySelectorAll('[data-tab]');
  for (var i = 0; i < panels.length; i++)
    panels[i].style.display = panels[i].getAttribute('data-tab') === name ? 'block' : 'none';
}
